// browser_screenshots OUTDIR: lays out a small clinic (database, exam files, the built single-map
// modules), opens the exam browser and saves what the screen shows as PNG files: the patients
// and exams, the panel of an orthokeratology exam with its mini map, the examples page and the
// search panel.  Run it under Xvfb:
//   xvfb-run -a -s "-screen 0 1280x800x24" build/bin/browser_screenshots docs/screenshots
#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QThread>
#include <array>
#include <cstdio>
#include <filesystem>

#include "DatabaseFile.h"
#include "TestPaths.h"
#include "TextFile.h"
#include "UBArquivosExame.h"
#include "UDExames.h"
#include "UDMedicos.h"
#include "UDPacientes.h"
#include "UfrmExamesView.h"
#include "UnattendedDialogs.h"

namespace {

namespace fs = std::filesystem;
using zv::DateTime;

void Assenta() {
  for (int i = 0; i < 30; ++i) {
    QApplication::processEvents();
    QThread::msleep(10);
  }
}

void Fotografa(QWidget& janela, const std::string& caminho) {
  Assenta();
  const QRect f = janela.frameGeometry();
  const bool ok = QApplication::primaryScreen()
                      ->grabWindow(0, f.x(), f.y(), f.width(), f.height())
                      .save(QString::fromStdString(caminho));
  std::printf("%s %s\n", ok ? "saved" : "FAILED", caminho.c_str());
}

void Clica(QListWidget* lista, int linha) {
  QTest::mouseClick(lista->viewport(), Qt::LeftButton, {},
                    lista->visualItemRect(lista->item(linha)).center());
}

// A cornea of radius `raio` mm on every ring: what the map modules draw.
void GravaExame(const std::string& dir, int pac, int codigo, double raio) {
  fs::create_directories(dir + "/" + std::to_string(pac));
  auto t = std::make_unique<std::array<TMatrizAngAnel, 2>>();
  for (int k = 0; k < 360; ++k)
    for (int j = 1; j <= 32; ++j) {
      (*t)[0][k][j] = 6.0 * j * (1 + 0.02 * std::cos(2 * k * M_PI / 180));
      (*t)[1][k][j] = 337.5 / raio * (1 + 0.03 * std::cos(2 * k * M_PI / 180));
    }
  zv::GravaTabelaM(dir, pac, codigo, (*t)[0], 32);
  zv::GravaTabelaD(dir, pac, codigo, (*t)[1], 32);
  TMatrizAng aneis;
  for (auto& a : aneis) a = 32;
  const TPupila pupila = {300, 220, 340, 260};
  zv::GravaCabecalho(dir, pac, codigo, aneis, 320, 240, pupila);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: browser_screenshots OUTDIR\n");
    return 2;
  }
  const std::string saida = argv[1];
  fs::create_directories(saida);
  zv::test::TempDir raiz;
  if (!std::getenv("FIREBIRD_LOCK")) setenv("FIREBIRD_LOCK", (raiz / "lock").c_str(), 1);
  for (const char* d : {"exames", "exemplos", "laudos", "mapas"}) fs::create_directories(raiz / d);
  std::string ini = zv::ReadFileBytes(zv::test::SourceDir() + "/assets/Zarvik.ini");
  for (size_t at; (at = ini.find("@ROOT@")) != std::string::npos;) ini.replace(at, 6, raiz.path());
  zv::WriteFileAtomic(raiz / "Zarvik.ini", ini);
  for (const char* modulo : {"Pelmo", "Rusk", "Gavrel"})
    for (const char* ext : {".so", ".bmp"})
      fs::copy_file(zv::test::BinDir() + "/" + modulo + ext,
                    raiz / ("mapas/" + std::string(modulo) + ext));

  zv::UnattendedDialogs dialogos;
  zv::TBIniSettings settings(dialogos, raiz.path(), raiz / "fixed");
  settings.LoadAll(1);
  zv::TZVRecords records;
  zv::CopySettingsToRecords(settings, records);
  records.SetText(records.Paths.DirExames, raiz / "exames");
  records.SetText(records.Paths.DirMapas, raiz / "mapas");
  records.Infos.NumAneis = 32;
  const std::string banco = raiz / "DATABASE.GDB";
  zv::data::CreateDatabase(banco);
  zv::data::TDMPrincipal dm(dialogos);
  if (!dm.PSetDataBaseName(banco)) return 1;
  zv::data::TDMedicos medicos(dm);
  zv::data::TDPacientes pacientes(dm);
  zv::data::TDExames exames(dm);
  medicos.InsereMedico({.nome = "Dra. Helena Prado"});
  medicos.InsereMedico({.nome = "Dr. Otávio Lins"});
  const int helena = medicos.CodigoDoMedico("Dra. Helena Prado");
  for (const char* nome : {"Ana Reis", "Bruno Carvalho", "Carla Mendes", "D'Ávila Souza",
                           "Eduardo Lima", "Fernanda Rocha"})
    pacientes.InserePaciente({.nome = nome, .convenio = "Particular"}, DateTime{2024, 1, 2}, 0);
  const int pac = pacientes.CodigoDoPaciente("D'Ávila Souza");
  int n = 0, orto = 0;
  for (const auto& [olho, tipo, mes] : {std::tuple{"OD", "T", 3}, std::tuple{"OS", "T", 3},
                                        std::tuple{"OD", "O", 5}, std::tuple{"OD", "O", 6}}) {
    const DateTime data{2024, mes, 10}, hora{1899, 12, 30, 9, 10 + n, 0};
    exames.InsereExame(pac, helena, data, hora, olho, 96.5, tipo, "", "Sem alterações", "", 32,
                       "2");
    auto& q = dm.Operation("SELECT MAX(Codigo) FROM Exames");
    const int codigo = static_cast<int>((q.Open(), q.FieldByName("MAX").AsInteger()));
    q.Close();
    GravaExame(raiz / "exames", pac, codigo, 7.6 + 0.1 * n++);
    if (std::string(tipo) == "O")
      exames.InsereExameOrto(codigo, 9.6, 0.1, 7.85, 0.62), orto = n - 1;
  }
  pacientes.AtualizaExamesPaciente(pac, "OD 10/06/2024 09:13:00", n);

  zv::TBMapOperation mapa(dialogos);
  zv::TBProcuraModulos scan(dialogos);
  scan.ProcuraModulos(raiz / "mapas");
  zv::browser::TfrmExamesView janela({&dialogos, dm, settings, records, mapa, scan.Botoes()});
  janela.show();
  Assenta();
  auto* grade = janela.findChild<QListWidget*>("DBGridPacientes");
  Clica(grade, 3);
  auto* lista = janela.findChild<QListWidget*>("lswPrincipal");
  janela.findChild<QCheckBox*>("cBoxMiniMapa")->setChecked(false);
  Clica(lista, 0);
  Fotografa(janela, saida + "/navegador-pacientes.png");
  janela.findChild<QCheckBox*>("cBoxMiniMapa")->setChecked(true);
  Clica(lista, orto);
  Fotografa(janela, saida + "/navegador-exame-orto.png");
  janela.findChild<QTabWidget*>("pcExames")->setCurrentIndex(1);
  Fotografa(janela, saida + "/navegador-exemplos.png");
  janela.findChild<QTabWidget*>("pcExames")->setCurrentIndex(0);
  janela.findChild<QPushButton*>("bbtnBuscaAv")->click();
  Fotografa(janela, saida + "/navegador-busca.png");
  dm.PDesconectionDataBase();
  return 0;
}
