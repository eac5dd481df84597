#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "Errors.h"
#include "ScriptedDialogs.h"
#include "TestPaths.h"
#include "TextFile.h"
#include "UBIniSettings.h"
#include "UBPrivateProfile.h"
#include "UBRecords.h"

namespace zv {
namespace {

// The user the permission tests run as when the test process is root (as in CI), since root
// reads and writes any file.
constexpr uid_t kUnprivileged = 65534;

// Runs `body` without privileges (in a child process when this one is root): whether it returned
// true without an exception, or nothing when a root process cannot drop its privileges here.
std::optional<bool> AsUnprivilegedUser(const std::function<bool()>& body) {
  const auto run = [&] {
    try {
      return body();
    } catch (const std::exception&) {
      return false;
    }
  };
  if (::geteuid() != 0) return run();
  constexpr int kCannotDrop = 77;
  const pid_t child = ::fork();
  if (child == 0) {
    if (::setgroups(0, nullptr) != 0 || ::setgid(kUnprivileged) != 0 ||
        ::setuid(kUnprivileged) != 0)
      ::_exit(kCannotDrop);
    ::_exit(run() ? 0 : 1);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return false;
  if (WEXITSTATUS(status) == kCannotDrop) return std::nullopt;
  return WEXITSTATUS(status) == 0;
}

// Gives a file or directory to the user AsUnprivilegedUser runs as, with these permissions.
void GiveToUnprivilegedUser(const std::string& path, mode_t mode) {
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(path.c_str(), kUnprivileged, kUnprivileged), 0);
  }
  ASSERT_EQ(::chmod(path.c_str(), mode), 0);
}

// A program directory with a Zarvik.ini built from the demo template plus overrides.
class SettingsFixture : public ::testing::Test {
 protected:
  test::TempDir dir;
  test::ScriptedDialogs dialogs;
  TBIniSettings settings{dialogs, dir.path(), dir / "fixed"};

  std::string IniPath() const { return dir / "Zarvik.ini"; }

  void WriteTemplate() {
    std::string text = ReadFileBytes(test::SourceDir() + "/assets/Zarvik.ini");
    for (size_t at; (at = text.find("@ROOT@")) != std::string::npos;)
      text.replace(at, 6, dir.path());
    WriteFileAtomic(IniPath(), text);
  }
  void Set(const std::string& section, const std::string& key, const std::string& value) {
    WriteProfileString(IniPath(), section, key, value);
  }
  // Removes a key by rewriting its line as a comment without "=".
  void Remove(const std::string& key) {
    std::string text = ReadFileBytes(IniPath());
    const size_t at = text.find("\n" + key + "=");
    ASSERT_NE(at, std::string::npos) << key;
    text.replace(at + 1 + key.size(), 1, " removed");
    WriteFileAtomic(IniPath(), text);
  }
};

TEST_F(SettingsFixture, TheDemoTemplateLoadsWithoutASingleMessage) {
  WriteTemplate();
  ASSERT_TRUE(settings.LoadAll(1));
  EXPECT_TRUE(dialogs.shown.empty()) << dialogs.shown.front().text;
  TZVRecords records;
  CopySettingsToRecords(settings, records);
  EXPECT_EQ(std::string(records.Paths.DirCalibracao), dir.path() + "/Calibração/");
  EXPECT_EQ(std::string(records.Paths.ModProcOrto), dir.path() + "/Vessik.so");
  EXPECT_EQ(std::string(records.Infos.ClinicaNome), "Clínica de Demonstração");
  EXPECT_DOUBLE_EQ(records.Infos.FatorCorrecao, 0.024);
  EXPECT_EQ(records.Infos.TvlCentral, 8);
  EXPECT_EQ(records.Infos.IndiceConf, 80);
  EXPECT_EQ(records.Infos.AutoAneis, 1);
}

TEST_F(SettingsFixture, LocatesTheFixedLocationFirstThenBesideTheProgram) {
  EXPECT_FALSE(settings.LoadAll(1));
  EXPECT_TRUE(settings.IniFileName().empty());
  WriteTemplate();
  ASSERT_TRUE(settings.LocateIniFile(1));
  EXPECT_EQ(settings.IniFileName(), IniPath());
  ForceDirectories(dir / "fixed/ZARVIKSL");
  WriteTextLines(dir / "fixed/ZARVIKSL/Zarvik.ini", {"[ZV]"});
  ASSERT_TRUE(settings.LocateIniFile(1));
  EXPECT_EQ(settings.IniFileName(), dir / "fixed/ZARVIKSL/Zarvik.ini");
  EXPECT_FALSE(settings.LocateIniFile(2));  // no Olendra.ini anywhere
  EXPECT_EQ(settings.IniFileName(), dir / "fixed/ZARVIKSL/Zarvik.ini");
  EXPECT_TRUE(settings.LocateIniFile(7));  // outside 0..3 changes nothing
}

TEST_F(SettingsFixture, ReadKindsAndTheirOddities) {
  WriteTextLines(IniPath(), {"[S]", "i=0x10", "x=x", "t=True", "f=False", "z=0", "s= texto "});
  struct Case {
    const char* kind;
    const char* key;
    const char* expected;
  };
  const std::string marker = TBIniSettings::MarkerText("S", "missing");
  EXPECT_EQ(marker, "Erro no parâmetro: S ->  missing");
  for (const Case& c :
       {Case{"Int", "i", "16"}, Case{"Int", "x", "1"}, Case{"Int", "missing", "1"},
        Case{"Bool", "t", "True"}, Case{"Bool", "f", "True"}, Case{"Bool", "z", "False"},
        Case{"Bool", "missing", "True"}, Case{"Str", "s", "texto"},
        Case{"Str", "missing", marker.c_str()}, Case{"Other", "s", ""}})
    EXPECT_EQ(settings.ReadSetting(IniPath(), c.kind, "S", c.key), c.expected)
        << c.kind << " " << c.key;
}

TEST_F(SettingsFixture, GuardedKeysShowTheirMessageAndFallBack) {
  WriteTemplate();
  Set("OPCOES", "TINCREMENTO", "abc");
  Set("OPCOES", "QualidadeImagem", "alta");
  Set("OPCOES", "DELAYAUTOPCAPTURA", "");
  Set("OPCOES", "TIPOCALIBRADOR", "um");
  Set("MAPA", "EXIBEGRADE", "sim");
  Set("MAPA", "EXIBECERATOMETRIAPONTUAL", "?");
  Remove("CORCERATOMETRIAPONTUAL");  // the marker text is longer than 8: "Preta", no message
  ASSERT_TRUE(settings.LoadAll(1));
  const std::vector<std::string> expected = {
      "Erro ao carregar padrão de qualidade da imagem! O valor 50% será definido.",
      "Erro ao carregar valor do incremento da tolerância de varredura! O valor 2 será definido.",
      "Erro ao carregar delay de captura! O valor 500 ms será definido.",
      "Erro ao carregar tipo de calibrador! O valor 1 será definido.",
      "Erro ao carregar exibição da grade! O valor'True'será definido.",
      "Erro ao carregar exibição da ceratometria pontual! O valor'False'será definido."};
  EXPECT_EQ(dialogs.Texts(), expected);
  for (const auto& m : dialogs.shown) EXPECT_EQ(m.caption, "ERRO");
  EXPECT_EQ(settings.TIncremento(), 2);
  EXPECT_EQ(settings.QualidadeImagem(), 50);
  EXPECT_EQ(settings.DelayAutoPCaptura(), 500);
  EXPECT_EQ(settings.TipoCalibrador(), 1);
  EXPECT_TRUE(settings.ExibeGrade());
  EXPECT_FALSE(settings.ExibeCeratometriaPontual());
  EXPECT_EQ(settings.CorCeratometriaPontual(), "Preta");
}

// Every exam stores the cone type in five characters: anything but "1".."4" (a missing key
// would give the long marker text) falls back to "4" with its message.
TEST_F(SettingsFixture, AConeTypeOtherThanOneToFourFallsBackToFour) {
  const std::string message =
      "Erro ao carregar o tipo do cone! O tipo 4 será definido.\n\rFavor entrar em contato com "
      "nosso suporte técnico - 0800 555 0100.";
  struct Case {
    const char* stored;  // nullptr: key missing
    const char* expected;
    bool warned;
  };
  for (const Case& c : {Case{"1", "1", false}, Case{"3", "3", false}, Case{"4", "4", false},
                        Case{"0", "4", true}, Case{"5", "4", true}, Case{"12", "4", true},
                        Case{"", "4", true}, Case{"dois", "4", true}, Case{nullptr, "4", true}}) {
    WriteTemplate();
    if (c.stored) {
      Set("ZV", "TipoCone", c.stored);
    } else {
      Remove("TipoCone");
    }
    dialogs.shown.clear();
    ASSERT_TRUE(settings.LoadAll(1));
    const std::string stored = c.stored ? c.stored : "(missing)";
    EXPECT_EQ(settings.TipoCone(), c.expected) << stored;
    EXPECT_EQ(dialogs.Texts(),
              c.warned ? std::vector<std::string>{message} : std::vector<std::string>{})
        << stored;
  }
}

TEST_F(SettingsFixture, TheSpecialReadingsOfSingleKeys) {
  WriteTemplate();
  Remove("TINCREMENTO");
  Remove("TVLCENTRAL");
  Remove("AUTOINCMAP");
  Remove("AUTOANEIS");
  Set("OPCOES", "DICAS", "False");
  Set("MAPA", "CORCERATOMETRIAPONTUAL", "Vermelha");
  Set("MAPA", "EXIBEGRADE", "2");
  Set("BACKUP", "AUTO_OP2", "500");
  ASSERT_TRUE(settings.LoadAll(1));
  // A missing TINCREMENTO reads the marker text, which is no number: the message shows.
  EXPECT_EQ(dialogs.Texts(), std::vector<std::string>{"Erro ao carregar valor do incremento da "
                                                      "tolerância de varredura! O valor 2 será "
                                                      "definido."});
  EXPECT_EQ(settings.TvlCentral(), 1);
  EXPECT_FALSE(settings.AutoIncMap());
  EXPECT_TRUE(settings.AutoAneis());
  EXPECT_TRUE(settings.Dicas());
  EXPECT_EQ(settings.CorCeratometriaPontual(), "Vermelha");
  EXPECT_FALSE(settings.ExibeGrade());
  TZVRecords records;
  CopySettingsToRecords(settings, records);
  EXPECT_EQ(records.Infos.BackupExames, 500);

  Set("OPCOES", "TVLCENTRAL", "x");
  Set("OPCOES", "DICAS", "0");
  Set("MAPA", "CORCERATOMETRIAPONTUAL", "Vermelhas");
  dialogs.shown.clear();
  ASSERT_TRUE(settings.LoadAll(1));
  EXPECT_EQ(settings.TvlCentral(), 1);
  EXPECT_FALSE(settings.Dicas());
  EXPECT_EQ(settings.CorCeratometriaPontual(), "Preta");
}

TEST_F(SettingsFixture, ABadBrightnessStopsTheLoadAfterTheSerialPort) {
  WriteTemplate();
  Set("OPCOES", "TINCREMENTO", "4");
  ASSERT_TRUE(settings.LoadAll(1));
  Set("OPCOES", "TINCREMENTO", "6");
  Set("SERIAL", "COM", "COM9");
  Set("CAMERA", "CONTRASTE", "12.5");
  EXPECT_THROW(settings.LoadAll(1), ConvertError);
  EXPECT_EQ(settings.Opaque("SERIAL", "COM"), "COM9");  // read before the stop
  EXPECT_EQ(settings.TIncremento(), 4);                 // after the stop: previous value
}

TEST_F(SettingsFixture, AccessorsThatDoNotConvertRaise) {
  WriteTemplate();
  Set("ZV", "FatorCorrecao", "abc");
  ASSERT_TRUE(settings.LoadAll(1));
  EXPECT_THROW(settings.FatorCorrecao(), ConvertError);
  TZVRecords records;
  EXPECT_THROW(CopySettingsToRecords(settings, records), ConvertError);
}

TEST_F(SettingsFixture, WritesGoToTheFileAtOnceAndReadBackWhateverTheCase) {
  WriteTemplate();
  ASSERT_TRUE(settings.LoadAll(1));
  settings.WriteSetting("Str", "CLINICA", "Nome", "Clínica Nova", false);
  settings.WriteSetting("Bool", "OPCOES", "DICAS", "", false);
  settings.WriteSetting("Int", "OPCOES", "DICAS", "1", true);  // other kinds write nothing
  EXPECT_FALSE(settings.Dicas());                              // re-read after each write
  ASSERT_TRUE(settings.LoadToolsSubset(1));
  EXPECT_EQ(settings.ClinicaNome(), "Clínica Nova");
  const std::string bytes = ReadFileBytes(IniPath());
  EXPECT_NE(bytes.find("NOME=Cl\xEDnica Nova\r\n"), std::string::npos);
}

TEST(PrivateProfile, WritesOnlyItsOwnLineAndCreatesWhatIsMissing) {
  test::TempDir dir;
  const std::string ini = dir / "x.ini";
  WriteProfileString(ini, "A", "k", "1");  // creates the file
  EXPECT_EQ(ReadFileBytes(ini), "[A]\r\nk=1\r\n");
  WriteFileAtomic(ini, "; comment\r\n[A]\r\nk=1\r\n\r\n[B]\r\nm=2\r\n");
  WriteProfileString(ini, "a", "K", "9");
  WriteProfileString(ini, "A", "n", "3");
  WriteProfileString(ini, "C", "p", "4");
  EXPECT_EQ(ReadFileBytes(ini),
            "; comment\r\n[A]\r\nk=9\r\nn=3\r\n\r\n[B]\r\nm=2\r\n[C]\r\np=4\r\n");
}

TEST(PrivateProfile, ALineBreakInAValueNeverStartsALineOfItsOwn) {
  test::TempDir dir;
  const std::string ini = dir / "x.ini";
  WriteFileAtomic(ini, "[CLINICA]\r\nNOME=A\r\n[CAMERA]\r\nBRILHO=10\r\n");
  WriteProfileString(ini, "CLINICA", "ENDERECO", "Rua A, 10\r\n[CAMERA]\nBRILHO=x\rfim");
  EXPECT_EQ(ReadProfileString(ini, "CAMERA", "BRILHO"), "10");
  EXPECT_EQ(ReadProfileString(ini, "CLINICA", "ENDERECO"), "Rua A, 10  [CAMERA] BRILHO=x fim");
  EXPECT_EQ(ReadFileBytes(ini),
            "[CLINICA]\r\nNOME=A\r\nENDERECO=Rua A, 10  [CAMERA] BRILHO=x fim\r\n[CAMERA]\r\n"
            "BRILHO=10\r\n");
}

// A file that is there but cannot be read is never replaced by the one key written.
TEST(PrivateProfile, AFileThatCannotBeReadIsLeftAsItWas) {
  test::TempDir dir;
  ForceDirectories(dir / "pasta.ini");  // a directory where the file should be
  EXPECT_THROW(WriteProfileString(dir / "pasta.ini", "A", "k", "2"), IoError);
  EXPECT_TRUE(DirectoryExists(dir / "pasta.ini"));

  const std::string ini = dir / "Zarvik.ini";
  const std::string content = "[A]\r\nk=1\r\n[B]\r\nimportant=keep\r\n";
  WriteFileAtomic(ini, content);
  GiveToUnprivilegedUser(dir.path(), 0777);
  GiveToUnprivilegedUser(ini, 0200);  // writable, not readable
  const auto written = AsUnprivilegedUser([&] {
    WriteProfileString(ini, "A", "k", "2");
    return true;
  });
  if (!written) GTEST_SKIP() << "this root process cannot switch to an unprivileged user";
  EXPECT_FALSE(*written);
  ASSERT_EQ(::chmod(ini.c_str(), 0600), 0);
  EXPECT_EQ(ReadFileBytes(ini), content);
}

// An installation directory closed to the user, with a settings file the user may write: the
// file is rewritten in place, every other key and its permissions kept.
TEST(PrivateProfile, AWritableFileInAClosedDirectoryIsRewrittenInPlace) {
  test::TempDir dir;
  const std::string ini = dir / "Zarvik.ini";
  WriteFileAtomic(ini, "[A]\r\nk=1\r\n[B]\r\nimportant=keep\r\n");
  GiveToUnprivilegedUser(ini, 0640);
  ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
  const auto written = AsUnprivilegedUser([&] {
    WriteProfileString(ini, "A", "k", "2");
    return true;
  });
  ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
  if (!written) GTEST_SKIP() << "this root process cannot switch to an unprivileged user";
  EXPECT_TRUE(*written);
  EXPECT_EQ(ReadFileBytes(ini), "[A]\r\nk=2\r\n[B]\r\nimportant=keep\r\n");
  struct stat st {};
  ASSERT_EQ(::stat(ini.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(PrivateProfile, WritingThroughASymbolicLinkRewritesItsTarget) {
  test::TempDir dir;
  ForceDirectories(dir / "opt");
  WriteFileAtomic(dir / "opt/Zarvik.ini", "[A]\r\nk=1\r\n");
  ASSERT_EQ(::symlink((dir / "opt/Zarvik.ini").c_str(), (dir / "Zarvik.ini").c_str()), 0);
  WriteProfileString(dir / "Zarvik.ini", "A", "k", "2");
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "Zarvik.ini"));
  EXPECT_EQ(ReadFileBytes(dir / "opt/Zarvik.ini"), "[A]\r\nk=2\r\n");
}

TEST(PrivateProfile, BrokenFilesLoadWhatIsLoadable) {
  test::TempDir dir;
  const std::string ini = dir / "broken.ini";
  WriteFileAtomic(ini,
                  "lixo=antes\nsem igual\n[S]\nnoequals\n\xFF\xFE=\x81\n k = \"v\" \n[T\nx=1\n");
  EXPECT_EQ(ReadProfileString(ini, "s", "K"), "v");
  EXPECT_EQ(ReadProfileString(ini, "S", "lixo"), std::nullopt);
  EXPECT_TRUE(ReadProfileString(ini, "S", "\xC3\xBF\xC3\xBE").has_value());
  EXPECT_EQ(ReadProfileString(ini, "S", "x"), "1");  // "[T" is no section header
  EXPECT_EQ(ReadProfileString(dir / "none.ini", "S", "k"), std::nullopt);
}

}  // namespace
}  // namespace zv
