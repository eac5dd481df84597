// The tools window over a real settings file, a real database and real picture files: what it
// shows at creation, what it writes at close, the logo, the statistics and the backup reset.
#include <gtest/gtest.h>

#include <QImage>

#include "FakeFormView.h"
#include "QtFormView.h"
#include "TestDatabase.h"
#include "TextFile.h"
#include "UBPrivateProfile.h"
#include "UDExames.h"
#include "UDLaudos.h"
#include "UDMedicos.h"
#include "UDPacientes.h"
#include "UfrmFerramentas.h"
#include "UfrmFerramentasView.h"

namespace zv {
namespace {

class Ferramentas : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string text = ReadFileBytes(test::SourceDir() + "/assets/Zarvik.ini");
    for (size_t at; (at = text.find("@ROOT@")) != std::string::npos;)
      text.replace(at, 6, dir.path());
    WriteFileAtomic(Ini(), text);
    ASSERT_TRUE(settings.LoadAll(1));
    CopySettingsToRecords(settings, records);
    records.Infos.Modelo = 1;
  }
  std::string Ini() const { return dir / "Zarvik.ini"; }
  std::string Key(const std::string& section, const std::string& key) const {
    return ReadProfileString(Ini(), section, key).value_or("<missing>");
  }
  ContextoFerramentas Contexto() {
    return {settings,
            records,
            *m.dm,
            dir / "BackUp.ini",
            {"Mapa Axial", "Simples", "1", "1.0.0.3", "Quillon", "Wizard", "4", "2.1.0.0"},
            [this](const std::vector<std::string>& c) {
              started.push_back(c);
              return c[0] == available;
            }};
  }
  // A window created and shown, as the main window opens it.
  std::unique_ptr<TfrmFerramentas> Abre() {
    auto w = std::make_unique<TfrmFerramentas>(view, m.dialogs, Contexto());
    w->FormCreate();
    w->FormShow();
    return w;
  }
  void Exame(const std::string& backup) {
    data::TDMedicos(*m.dm).InsereMedico({.nome = "Dra. Prado"});
    data::TDPacientes(*m.dm).InserePaciente({.nome = "Ana"}, DateTime{2024, 1, 2}, 0);
    const int med = data::TDMedicos(*m.dm).CodigoDoMedico("Dra. Prado");
    const int pac = data::TDPacientes(*m.dm).CodigoDoPaciente("Ana");
    data::TDExames(*m.dm).InsereExame(pac, med, {2024, 1, 2}, {1899, 12, 30, 9, 0, 0}, "OD", 90,
                                      "T", backup, "", "", 32, "2");
  }

  test::TempDir dir;
  test::ConnectedModule m;
  TBIniSettings settings{m.dialogs, dir.path(), dir / "fixed"};
  TZVRecords records;
  test::FakeFormView view;
  std::vector<std::vector<std::string>> started;
  std::string available;
};

TEST_F(Ferramentas, ShowsTheRecordAndWritesEveryPreferenceAtClose) {
  auto w = Abre();
  EXPECT_EQ(view["edtNome"].text, "Clínica de Demonstração");
  EXPECT_EQ(view["EdtIncMap"].text, FormatFloat("0.00", records.Infos.IncMap));
  EXPECT_EQ(view["edtValIndConf"].value, 80);
  EXPECT_EQ((view["tlvMapas"].cells[{0, 1}]), "Quillon");
  EXPECT_EQ((view["tlvMapas"].cells[{3, 0}]), "1.0.0.3");
  EXPECT_FALSE(view["TabSheet4"].visible);
  EXPECT_FALSE(view["tshLinguagem"].visible);
  // The increment field follows the two radio buttons.
  view["rbtEnable"].checked = true;
  view["rbtDisable"].checked = false;
  w->rbtEnableClick();
  EXPECT_FALSE(view["EdtIncMap"].enabled);

  view["edtNome"].text = "Clínica São João";
  view["EdtIncMap"].text = "";
  view["chkDadosClinica"].checked = !records.Infos.MostrarDadosClinica;
  view["rgrMapaPadrao"].itemIndex = 1;
  view["cbCorCeratPontual"].itemIndex = 4;
  view["edtValIndConf"].value = 65;
  view["SpinEditQualidadeImagem"].value = 55;
  view["edtTVlCentral"].text = "16";
  WriteProfileString(Ini(), "OPCOES", "IDIOMA", "Português");
  const bool mostrarAntes = records.Infos.MostrarDadosClinica;
  w->FormClose();

  const std::pair<const char*, std::string> expected[] = {
      {"CLINICA/Nome", "Clínica São João"},
      {"OPCOES/INCMAP", "0.50"},
      {"OPCOES/AUTOINCMAP", "0"},
      {"OPCOES/MapaPadraoNovoExame", "Tangencial"},
      {"MAPA/CORCERATOMETRIAPONTUAL", "Vermelha"},
      {"OPCOES/INDICECONF", "65"},
      {"OPCOES/QualidadeImagem", "55"},
      {"OPCOES/TVLCENTRAL", "16"},
      {"OPCOES/IDIOMA", ""},
      {"CLINICA/Opt1", mostrarAntes ? "0" : "1"}};
  for (const auto& [where, value] : expected) {
    const std::string s(where);
    const size_t slash = s.find('/');
    EXPECT_EQ(Key(s.substr(0, slash), s.substr(slash + 1)), value) << where;
  }
  // The record follows the file, except the three map-screen options.
  EXPECT_EQ(std::string(records.Infos.ClinicaNome), "Clínica São João");
  EXPECT_DOUBLE_EQ(records.Infos.IncMap, 0.5);
  EXPECT_EQ(records.Infos.AutoIncMap, 0);
  EXPECT_EQ(records.Infos.IndiceConf, 65);
  EXPECT_EQ(records.Infos.TvlCentral, 16);
  EXPECT_EQ(std::string(records.Infos.CorCeratometriaPontual), "Vermelha");
  EXPECT_EQ(records.Infos.MostrarDadosClinica, mostrarAntes);
  EXPECT_TRUE(m.dialogs.shown.empty());
}

TEST_F(Ferramentas, AnIncrementThatIsNoNumberKeepsTheStoredOneAndUnselectedListsKeepTheirs) {
  const std::string before = Key("OPCOES", "INCMAP");
  const std::string mapa = Key("OPCOES", "MapaPadraoNovoExame");
  auto w = Abre();
  view["EdtIncMap"].text = "meio";
  view["rgrMapaPadrao"].itemIndex = -1;
  w->FormClose();
  EXPECT_EQ(Key("OPCOES", "INCMAP"), before);
  EXPECT_EQ(Key("OPCOES", "MapaPadraoNovoExame"), mapa);
  ASSERT_EQ(m.dialogs.shown.size(), 1u);
  EXPECT_NE(m.dialogs.shown[0].text.find("\"meio\""), std::string::npos);
}

TEST_F(Ferramentas, LogoUpToOneHundredPixelsIsTakenLargerOnlyAfterTheQuestion) {
  auto picture = [&](int w, int h, const char* name) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::red);
    EXPECT_TRUE(img.save(QString::fromStdString(dir / name)));
    return dir / name;
  };
  auto frm = Abre();
  const std::string saved = TfrmFerramentas::CaminhoLogo(dir.path());

  m.dialogs.fileAnswers.push_back(picture(100, 100, "exact.png"));
  frm->LogoClinicaDblClick();
  EXPECT_TRUE(m.dialogs.shown.empty());
  EXPECT_EQ(QImage(QString::fromStdString(saved)).size(), QSize(100, 100));

  m.dialogs.fileAnswers.push_back(picture(101, 50, "wide.jpg"));
  m.dialogs.answers.push_back(MsgResult::No);
  frm->LogoClinicaDblClick();
  ASSERT_EQ(m.dialogs.shown.size(), 1u);
  EXPECT_EQ(m.dialogs.shown[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(QImage(QString::fromStdString(saved)).size(), QSize(100, 100));

  m.dialogs.fileAnswers.push_back(picture(400, 40, "banner.bmp"));
  frm->LogoClinicaDblClick();  // answered Yes
  EXPECT_EQ(QImage(QString::fromStdString(saved)).size(), QSize(100, 100));
  EXPECT_EQ(frm->Logo().size(), QSize(100, 100));

  // A file that is no picture is refused and the saved logo stays.
  const std::string before = ReadFileBytes(saved);
  WriteFileAtomic(dir / "fake.bmp", "not a picture");
  m.dialogs.fileAnswers.push_back(dir / "fake.bmp");
  frm->LogoClinicaDblClick();
  EXPECT_NE(m.dialogs.shown.back().text.find("não é uma imagem"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(saved), before);

  // The next window starts with the saved logo.
  test::FakeFormView other;
  TfrmFerramentas again(other, m.dialogs, Contexto());
  again.FormCreate();
  EXPECT_EQ(again.Logo().pixelColor(50, 50), QColor(Qt::red));
}

TEST_F(Ferramentas, ResetClearsTheMarksAndWritesEveryKeyCountingTheResets) {
  Exame("0001/00001");
  Exame("");
  auto w = Abre();
  EXPECT_EQ(view["lblBDExames"].text, "0002");
  EXPECT_EQ(view["lblBDBackupExames"].text, "0001");
  EXPECT_EQ(view["lblReiniciaBackup"].text, "0");
  ASSERT_TRUE(view["btnZerarBackup"].enabled);
  w->btnZerarBackupClick();
  const std::pair<const char*, const char*> keys[] = {{"DiscoAtual", "1"},
                                                      {"ArquivoAtual", "0"},
                                                      {"NumArquivos", "0"},
                                                      {"NumArquivosLau", "0"},
                                                      {"ArquivosGeral", "0"},
                                                      {"NumExamDisco", "0"},
                                                      {"NumExamGeral", "0"},
                                                      {"NumLauDisco", "0"},
                                                      {"UltDsk", "01/01/2007 00:00:00"},
                                                      {"UltBkp", "01/01/2007 00:00:00"},
                                                      {"BackupZerado", "1"}};
  for (const auto& [key, value] : keys)
    EXPECT_EQ(ReadProfileString(dir / "BackUp.ini", "BACKUP", key).value_or("?"), value) << key;
  EXPECT_EQ(data::TDExames(*m.dm).ContaExamesSemBackup(), 2);
  EXPECT_FALSE(view["btnZerarBackup"].enabled);
  EXPECT_EQ(m.dialogs.shown.back().text, "Arquivo de backup zerado com sucesso.");
  w->btnZerarBackupClick();
  EXPECT_EQ(view["lblReiniciaBackup"].text, "Reinicialização do backup 2 vez(es)");

  // A window opened with nothing backed up offers no reset.
  test::FakeFormView other;
  TfrmFerramentas again(other, m.dialogs, Contexto());
  again.FormCreate();
  again.FormShow();
  EXPECT_EQ(other["lblBDBackupExames"].text, "0000");
  EXPECT_FALSE(other["btnZerarBackup"].enabled);
  EXPECT_EQ(other["lblReiniciaBackup"].text, "2");
}

TEST_F(Ferramentas, DesktopProgramsStartTheFirstInstalledOneOrSayNoneIs) {
  auto w = Abre();
  const auto& apps = TfrmFerramentas::Aplicativos();
  view["tlvAplicativos"].itemIndex = 0;
  w->tlvAplicativosDblClick();
  ASSERT_EQ(started.size(), apps[0].comandos.size());
  ASSERT_EQ(m.dialogs.shown.size(), 1u);
  EXPECT_NE(m.dialogs.shown[0].text.find("\"Sistema\""), std::string::npos);

  started.clear();
  available = apps[1].comandos[1][0];
  view["tlvAplicativos"].itemIndex = 1;
  w->tlvAplicativosDblClick();
  EXPECT_EQ(started.size(), 2u);
  EXPECT_EQ(m.dialogs.shown.size(), 1u);
}

TEST_F(Ferramentas, TheQtViewHoldsEveryControlTheModelUses) {
  Abre()->FormClose();
  TfrmFerramentasView window(m.dialogs, Contexto());
  QtFormView bridge(&window);
  for (const auto& name : view.UsedNames()) EXPECT_TRUE(bridge.Has(name)) << name;
  window.show();
  EXPECT_EQ(bridge.Cell("tlvMapas", 0, 1), "Quillon");
  EXPECT_EQ(bridge.Items("tlvAplicativos").size(), TfrmFerramentas::Aplicativos().size());
}

}  // namespace
}  // namespace zv
