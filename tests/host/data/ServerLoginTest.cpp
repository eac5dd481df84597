// The server mode's login: the dedicated user, its password kept from other accounts, an
// encrypted wire, and only the rights the host needs.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "DatabaseFile.h"
#include "ServerLogin.h"
#include "ServerUsers.h"
#include "TestDatabase.h"
#include "UDMedicos.h"

namespace zv::data {
namespace {

// Sets (or, with nullopt, removes) an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, std::optional<std::string> value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      setenv(name, value->c_str(), 1);
    else
      unsetenv(name);
  }
  ~ScopedEnv() {
    if (old_)
      setenv(name_, old_->c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

std::string WriteFile(const std::string& path, const std::string& text, mode_t mode) {
  std::ofstream(path, std::ios::binary) << text;
  chmod(path.c_str(), mode);
  return path;
}

std::string ServerName(const std::string& file) {
  return std::string(std::getenv("ZV_FB_SERVER")) + ":" + file;
}

TEST(ServerPassword, OnlyAFileNoOtherAccountCanReadIsUsed) {
  test::TempDir dir;
  const struct {
    const char* text;
    mode_t mode;
    const char* password;  // nullptr: refused
    const char* reason;    // part of the refusal
  } cases[] = {
      {"segredo\r\nsegunda linha\n", 0600, "segredo", nullptr},
      {"só-leitura", 0400, "só-leitura", nullptr},
      {"segredo\n", 0644, nullptr, "pode ser lido por outros usuários (permissões 0644)"},
      {"segredo\n", 0640, nullptr, "(permissões 0640)"},
      {"segredo\n", 0602, nullptr, "(permissões 0602)"},
      {"\n", 0600, nullptr, "está vazio"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    const std::string file = WriteFile(dir / "senha", c.text, c.mode);
    if (c.password) {
      EXPECT_EQ(ReadPasswordFile(file), c.password);
    } else {
      try {
        ReadPasswordFile(file);
        ADD_FAILURE() << "accepted";
      } catch (const LoginError& e) {
        EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
      }
    }
    std::filesystem::remove(file);
  }
  EXPECT_THROW(ReadPasswordFile(dir / "ausente"), LoginError);
  WriteFile(dir / "alvo", "segredo", 0600);
  std::filesystem::create_symlink(dir / "alvo", dir / "elo");
  EXPECT_THROW(ReadPasswordFile(dir / "elo"), LoginError);  // a link is not followed

  // A service's variable goes before the file; an empty one does not count.
  const std::string loose = WriteFile(dir / "solta", "arquivo", 0644);
  {
    ScopedEnv env(kServerPasswordVariable, "variavel");
    EXPECT_EQ(ServerPassword(loose), "variavel");
  }
  ScopedEnv empty(kServerPasswordVariable, "");
  EXPECT_THROW(ServerPassword(loose), LoginError);
}

TEST(ServerLogin, ALoosePasswordFileIsRefusedAtStartUpBeforeAnyConnection) {
  test::TempDir dir;
  ScopedEnv env(kServerPasswordVariable, std::nullopt);
  test::ScriptedDialogs dialogs;
  TDMPrincipal dm(dialogs);
  dm.SetServerPasswordFile(WriteFile(dir / kServerPasswordFileName, "segredo", 0644));
  // No server answers on this port: the file alone decides.
  EXPECT_FALSE(dm.PSetDataBaseName("127.0.0.1/1:" + dir / "DATABASE.GDB"));
  EXPECT_FALSE(dm.Connected());
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_NE(dialogs.shown[0].text.find("pode ser lido por outros usuários"), std::string::npos);
  EXPECT_NE(dialogs.shown[0].text.find("chmod 600 " + dir / kServerPasswordFileName),
            std::string::npos);
  EXPECT_EQ(dialogs.shown[0].caption, "ERRO");
}

TEST(ServerLogin, DedicatedUserOverAnEncryptedWireWithoutAdministratorRights) {
  if (!test::ServerMode()) GTEST_SKIP() << "needs ZV_FB_SERVER";
  test::ConnectedModule m;
  auto& who = m.dm->Operation(
      "SELECT CURRENT_USER AS USUARIO, RDB$GET_CONTEXT('SYSTEM', 'WIRE_ENCRYPTED') AS CRIPTO "
      "FROM RDB$DATABASE");
  who.Open();
  EXPECT_EQ(who.FieldByName("USUARIO").AsString(), kServerUser);
  EXPECT_EQ(who.FieldByName("CRIPTO").AsString(), "TRUE");

  TDMedicos(*m.dm).InsereMedico({.nome = "Dra. Rede"});
  EXPECT_EQ(TDMedicos(*m.dm).ContaMedicos(), 1);
  for (const char* forbidden :
       {"DROP TABLE LAUDOSTEXTO", "CREATE USER INTRUSO PASSWORD 'x'",
        "DROP PROCEDURE InsertMedicos", "ALTER SEQUENCE Codigo_Medicos RESTART WITH 0",
        "CREATE TABLE OUTRA (X INTEGER)"}) {
    SCOPED_TRACE(forbidden);
    // Users are changed when the transaction commits: the refusal may come from either.
    EXPECT_THROW(
        {
          m.dm->Operation(forbidden).ExecSQL();
          m.dm->IBDatabase.Commit();
        },
        fb::DatabaseError);
    m.dm->IBDatabase.Rollback();
    m.dm->IBDatabase.StartTransaction();
  }
  EXPECT_EQ(TDMedicos(*m.dm).ContaMedicos(), 1);  // the table is still there
  {
    fb::Attachment admin;
    admin.Attach(m.db.Name(), "sysdba", test::ServerPassword());
    admin.StartTransaction();
    fb::Dataset users(admin, "SELECT COUNT(*) AS N FROM SEC$USERS WHERE SEC$USER_NAME = 'INTRUSO'");
    users.Open();
    EXPECT_EQ(users.FieldByName("N").AsString(), "0");
  }

  // Another database of the server, made without granting the user anything.
  test::TempDir other;
  std::filesystem::permissions(other.path(), std::filesystem::perms::all);
  const std::string otherName = ServerName(other / "OUTRO.GDB");
  CreateDatabase(otherName, "sysdba", test::ServerPassword());
  test::ScriptedDialogs dialogs;
  TDMPrincipal stranger(dialogs);
  EXPECT_FALSE(stranger.PSetDataBaseName(otherName));
  EXPECT_FALSE(stranger.Connected());
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_NE(dialogs.shown[0].text.find("não tem permissão"), std::string::npos);
  fb::Attachment direct;
  direct.Attach(otherName, kServerUser, ServerPassword(""), true);
  direct.StartTransaction();
  fb::Dataset read(direct, "SELECT COUNT(*) FROM PACIENTES");
  EXPECT_THROW(read.Open(), fb::DatabaseError);
}

TEST(ServerLogin, AWrongPasswordIsRefusedWithTheLoginMessage) {
  if (!test::ServerMode()) GTEST_SKIP() << "needs ZV_FB_SERVER";
  test::TestDatabase db;
  ScopedEnv env(kServerPasswordVariable, "errada");
  test::ScriptedDialogs dialogs;
  TDMPrincipal dm(dialogs);
  EXPECT_FALSE(dm.PSetDataBaseName(db.Name()));
  EXPECT_FALSE(dm.Connected());
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "Usuário/Senha de BD incorreto!");
  EXPECT_EQ(dialogs.shown[0].caption, "ERRO");
}

TEST(ServerLogin, AServerWithoutWireEncryptionIsRefused) {
  const char* plain = std::getenv("ZV_FB_PLAIN_SERVER");  // e.g. "127.0.0.1/3051"
  if (!plain || !*plain) GTEST_SKIP() << "needs ZV_FB_PLAIN_SERVER";
  test::TempDir dir;
  // Refused whatever the password: the wire is settled before the login.
  ScopedEnv env(kServerPasswordVariable, "qualquer");
  test::ScriptedDialogs dialogs;
  TDMPrincipal dm(dialogs);
  EXPECT_FALSE(dm.PSetDataBaseName(std::string(plain) + ":" + dir / "DATABASE.GDB"));
  EXPECT_FALSE(dm.Connected());
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_NE(dialogs.shown[0].text.find("não aceitou uma conexão criptografada"), std::string::npos)
      << dialogs.shown[0].text;
}

}  // namespace
}  // namespace zv::data
