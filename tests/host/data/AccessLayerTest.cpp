// The data module's connection and the dataset layer against a real database.
#include <gtest/gtest.h>

#include <filesystem>

#include "SqlText.h"
#include "TestDatabase.h"
#include "TextFile.h"
#include "UDMedicos.h"
#include "UDPacientes.h"

namespace zv::data {
namespace {

using test::ConnectedModule;

TEST(DataModule, ConnectsWithTheTwoPasswordsAndOpensTheTables) {
  ConnectedModule m;
  EXPECT_TRUE(m.dm->Connected());
  EXPECT_TRUE(m.dialogs.shown.empty());
  // After a commit the six datasets are open again, the browser's queries are not.
  m.dm->IBQueryExames.Open();
  m.dm->PCommitDataBase();
  for (fb::Dataset* d : {&m.dm->IBMedicos, &m.dm->IBPacientes, &m.dm->IBExames, &m.dm->IBLaudos,
                         &m.dm->IBLaudosTexto, &m.dm->IBQueryPacientes})
    EXPECT_TRUE(d->Active()) << d->SQL();
  EXPECT_FALSE(m.dm->IBQueryExames.Active());
  EXPECT_GT(m.dm->IBLaudosTexto.RecordCount(), 30);

  m.dm->PDesconectionDataBase();
  EXPECT_FALSE(m.dm->Connected());
  EXPECT_THROW(TDMedicos(*m.dm).ContaMedicos(), fb::DatabaseError);
  m.dm->PConnectDataBase();
  EXPECT_EQ(TDMedicos(*m.dm).ContaMedicos(), 0);
}

TEST(DataModule, MissingFileGivesFalse) {
  test::PrepareLockDirectory();
  test::TempDir dir;
  test::ScriptedDialogs dialogs;
  TDMPrincipal dm(dialogs);
  const std::string missing = test::ServerMode()
                                  ? std::string(std::getenv("ZV_FB_SERVER")) + ":" + dir / "X.GDB"
                                  : dir / "X.GDB";
  EXPECT_FALSE(dm.PSetDataBaseName(missing));
  EXPECT_FALSE(dm.Connected());
  ASSERT_EQ(dialogs.shown.size(), 1u);  // both attempts failed: the login message
  EXPECT_EQ(dialogs.shown[0].text, "Usuário/Senha de BD incorreto!");
  EXPECT_EQ(dialogs.shown[0].caption, "ERRO");
  EXPECT_EQ(dialogs.shown[0].icon, MsgIcon::None);
  EXPECT_EQ(dialogs.shown[0].buttons, MsgButtons::OkCancel);
  EXPECT_FALSE(std::filesystem::exists(dir / "X.GDB"));  // never created by connecting
}

TEST(Dataset, BindsByNameSkippingQuotedTextAndReadsColumnsInAnyCase) {
  ConnectedModule m;
  TDMedicos medicos(*m.dm);
  medicos.InsereMedico({.nome = "Ana :Nome"});
  medicos.InsereMedico({.nome = "Bruno"});
  auto& q = m.dm->Operation(
      "SELECT COUNT(*) FROM Medicos WHERE Nome = ':Nome' OR Nome = :Nome OR Nome = :NOME");
  q.SetParam("nome", "Bruno");
  q.Open();
  EXPECT_EQ(q.FieldByName("count").AsInteger(), 1);
  EXPECT_EQ(q.FieldByName("Count").AsInteger(), 1);
  EXPECT_THROW(q.FieldByName("Nope"), fb::DatabaseError);

  // Rows for a table model: names, every row, moving back and forth.
  auto& list = m.dm->Operation("SELECT Codigo, Nome FROM Medicos ORDER BY Nome ASC");
  list.Open();
  EXPECT_EQ(list.FieldNames(), (std::vector<std::string>{"CODIGO", "NOME"}));
  EXPECT_EQ(list.FieldByName("nome").AsString(), "Ana :Nome");
  list.Next();
  EXPECT_EQ(list.FieldByName("Nome").AsString(), "Bruno");
  list.Next();
  EXPECT_TRUE(list.Eof());
  list.Prior();
  EXPECT_EQ(list.FieldByName("Nome").AsString(), "Ana :Nome");
  EXPECT_EQ(list.RecordCount(), 2);
  EXPECT_EQ(list.Rows()[1][1].AsString(), "Bruno");
}

TEST(Dataset, TextIsStoredAsWin1252AndComesBackAsUtf8) {
  ConnectedModule m;
  TDPacientes pacientes(*m.dm);
  pacientes.InserePaciente({.nome = "João Conceição Ávila", .cidade = "São Paulo"},
                           DateTime{2024, 2, 29}, 0);
  const int codigo = pacientes.CodigoDoPaciente("João Conceição Ávila");
  ASSERT_GT(codigo, 0);
  EXPECT_EQ(pacientes.NomeDoPaciente(codigo), "João Conceição Ávila");
  // Upper() of the engine knows the accents of WIN1252 (the search as you type relies on it).
  auto& q = m.dm->Operation(
      "SELECT Codigo,Nome,Rg,TotalExames FROM Pacientes WHERE Upper(nome) like 'JOÃO CONCEIÇÃO%' "
      "ORDER BY Nome ASC");
  q.Open();
  EXPECT_EQ(q.FieldByName("Codigo").AsInteger(), codigo);
  // Typed text joined into a quoted SQL text keeps its quotes as text.
  pacientes.InserePaciente({.nome = "Ana D'Ávila"}, DateTime{2024, 3, 1}, 0);
  auto& quoted = m.dm->Operation("SELECT Codigo,Nome FROM Pacientes WHERE Upper(nome) like '" +
                                 fb::EscapeQuotes("ANA D'ÁV") + "%'");
  quoted.Open();
  EXPECT_EQ(quoted.FieldByName("Nome").AsString(), "Ana D'Ávila");
  EXPECT_EQ(quoted.RecordCount(), 1);
  // A character WIN1252 cannot hold becomes "?".
  pacientes.AtualizaPaciente(codigo, {.nome = "Ωmega"});
  EXPECT_EQ(pacientes.NomeDoPaciente(codigo), "?mega");
}

TEST(Dataset, StatementErrorsCarryTheEngineText) {
  ConnectedModule m;
  try {
    m.dm->Operation("SELECT Nome FROM Nenhuma").Open();
    FAIL() << "no error";
  } catch (const fb::DatabaseError& e) {
    EXPECT_NE(std::string(e.what()).find("NENHUMA"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("Table unknown"), std::string::npos) << e.what();
  }
  // The connection stays usable.
  EXPECT_EQ(TDMedicos(*m.dm).ContaMedicos(), 0);
}

TEST(Dataset, EngineErrorWhileReadingARowsBlobIsADatabaseError) {
  if (test::ServerMode()) GTEST_SKIP() << "the database file is the server's";
  ConnectedModule m;
  m.dm->Operation("CREATE TABLE Imagens (Imagem BLOB SUB_TYPE 0)").ExecSQL();
  m.dm->PCommitDataBase();
  m.dm->Operation("INSERT INTO Imagens VALUES (CAST(LPAD('', 30000, 'Q') AS BLOB SUB_TYPE 0))")
      .ExecSQL();
  m.dm->PCommitDataBase();
  m.dm->PDesconectionDataBase();
  // Damage the blob's pages on disk: the row itself still reads, its blob no longer does.
  std::string file = ReadFileBytes(m.db.Name());
  constexpr size_t kPage = 8192;
  int damaged = 0;
  for (size_t at = 0; at + kPage <= file.size(); at += kPage)
    if (file.find(std::string(100, 'Q'), at) < at + kPage) {
      file[at] = 7;  // the page type byte: an index page where a blob page belongs
      ++damaged;
    }
  ASSERT_GT(damaged, 0);
  WriteFileAtomic(m.db.Name(), file);
  m.dm->PConnectDataBase();
  try {
    m.dm->Operation("SELECT Imagem FROM Imagens").Open();
    FAIL() << "no error";
  } catch (const fb::DatabaseError& e) {
    EXPECT_NE(std::string(e.what()).find("wrong page type"), std::string::npos) << e.what();
  }
}

TEST(Dataset, TextLongerThanItsColumnIsRefusedAndNothingIsStored) {
  ConnectedModule m;
  TDPacientes pacientes(*m.dm);
  pacientes.InserePaciente({.nome = "Existente"}, DateTime{2020, 1, 2}, 0);
  const int codigo = pacientes.CodigoDoPaciente("Existente");
  try {
    pacientes.InserePaciente({.nome = std::string(51, 'x')}, DateTime{2020, 1, 2}, 0);
    FAIL() << "no error";
  } catch (const fb::DatabaseError& e) {
    EXPECT_NE(std::string(e.what()).find("truncation"), std::string::npos) << e.what();
  }
  EXPECT_THROW(pacientes.AtualizaPaciente(codigo, {.nome = "Novo", .estado = "SPX"}),
               fb::DatabaseError);
  m.dm->PCommitDataBase();
  EXPECT_EQ(pacientes.ContaPacientes(), 1);
  EXPECT_EQ(pacientes.NomeDoPaciente(codigo), "Existente");
  // Exactly the column's length is fine.
  pacientes.InserePaciente({.nome = std::string(50, 'y')}, DateTime{2020, 1, 2}, 0);
  EXPECT_EQ(pacientes.ContaPacientes(), 2);
}

}  // namespace
}  // namespace zv::data
