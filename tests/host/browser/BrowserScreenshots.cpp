// browser_screenshots OUTDIR [INSTALLATION]: lays out a small clinic (database, exam files, the
// built single-map modules), or takes an installation's (a demo laid out by tools/make-demo.sh),
// opens the exam browser and saves what the screen shows as PNG files: the patients and exams,
// the panel of an orthokeratology exam with its mini map, the examples page and the search
// panel.  Run it under Xvfb:
//   xvfb-run -a -s "-screen 0 1280x800x24" build/bin/browser_screenshots docs/screenshots demo
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <tuple>

#include "DatabaseFile.h"
#include "JanelaModulo.h"
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

// The window's data: the settings, records, database and modules of one installation.
struct Clinica {
  zv::UnattendedDialogs dialogos;
  std::unique_ptr<zv::TBIniSettings> settings;
  zv::TZVRecords records;
  std::unique_ptr<zv::data::TDMPrincipal> dm;
  std::string paciente;  // the patient whose exams are shown
  int linhaOrto = 0;     // the row of one of that patient's orthokeratology exams

  bool Abre(const std::string& raiz, const std::string& banco) {
    settings = std::make_unique<zv::TBIniSettings>(dialogos, raiz, raiz + "/fixed");
    if (!settings->LoadAll(1)) return false;
    zv::CopySettingsToRecords(*settings, records);
    records.Infos.NumAneis = 32;
    dm = std::make_unique<zv::data::TDMPrincipal>(dialogos);
    return dm->PSetDataBaseName(banco);
  }
};

// The small clinic of the screenshots in `raiz`.
bool PequenaClinica(const zv::test::TempDir& raiz, Clinica& c) {
  for (const char* d : {"exames", "exemplos", "laudos", "mapas"}) fs::create_directories(raiz / d);
  std::string ini = zv::ReadFileBytes(zv::test::SourceDir() + "/assets/Zarvik.ini");
  for (size_t at; (at = ini.find("@ROOT@")) != std::string::npos;) ini.replace(at, 6, raiz.path());
  zv::WriteFileAtomic(raiz / "Zarvik.ini", ini);
  for (const char* modulo : {"Pelmo", "Rusk", "Gavrel"})
    for (const char* ext : {".so", ".bmp"})
      fs::copy_file(zv::test::BinDir() + "/" + modulo + ext,
                    raiz / ("mapas/" + std::string(modulo) + ext));
  const std::string banco = raiz / "DATABASE.GDB";
  zv::data::CreateDatabase(banco);
  if (!c.Abre(raiz.path(), banco)) return false;
  c.records.SetText(c.records.Paths.DirExames, raiz / "exames");
  c.records.SetText(c.records.Paths.DirMapas, raiz / "mapas");
  zv::data::TDMPrincipal& dm = *c.dm;
  zv::data::TDMedicos medicos(dm);
  zv::data::TDPacientes pacientes(dm);
  zv::data::TDExames exames(dm);
  medicos.InsereMedico({.nome = "Dra. Helena Prado"});
  medicos.InsereMedico({.nome = "Dr. Otávio Lins"});
  const int helena = medicos.CodigoDoMedico("Dra. Helena Prado");
  for (const char* nome : {"Ana Reis", "Bruno Carvalho", "Carla Mendes", "D'Ávila Souza",
                           "Eduardo Lima", "Fernanda Rocha"})
    pacientes.InserePaciente({.nome = nome, .convenio = "Particular"}, DateTime{2024, 1, 2}, 0);
  c.paciente = "D'Ávila Souza";
  const int pac = pacientes.CodigoDoPaciente(c.paciente);
  int n = 0;
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
      exames.InsereExameOrto(codigo, 9.6, 0.1, 7.85, 0.62), c.linhaOrto = n - 1;
  }
  pacientes.AtualizaExamesPaciente(pac, "OD 10/06/2024 09:13:00", n);
  return true;
}

// The installation in `raiz`, showing the demo's orthokeratology patient.
bool Instalacao(const std::string& raiz, Clinica& c) {
  if (!c.Abre(raiz, raiz + "/BancoDados/DATABASE.GDB")) return false;
  c.paciente = "Luís Otávio Brandão";
  c.linhaOrto = 1;
  return true;
}

// The window a map button opens over the browser, photographed once it is up, then closed.
void FotografaMapa(QToolButton* botao, const std::string& caminho) {
  QTimer::singleShot(500, [caminho] {
    if (QWidget* mapa = QApplication::activeModalWidget()) {
      Fotografa(*mapa, caminho);
      mapa->close();
    }
  });
  botao->click();
}

// A multi-map button on the examples page: its wizard gets, in list after list, the examples
// of the given dates, and the map window that follows is photographed, then closed (with its
// button `fechar` when it has one, as Kandor's window, which has no other way out).
void FotografaMultiMapa(QToolButton* botao, const QString& assistente,
                        const std::vector<std::pair<const char*, const char*>>& escolhas,
                        const QString& janelaMapa, const char* confirmar, const char* fechar,
                        const std::string& caminho) {
  if (!botao) {
    std::printf("FAILED %s: no such module\n", caminho.c_str());
    return;
  }
  zv::test::QuandoAparecer(assistente, [=](QWidget* j) {
    for (const auto& [lista, data] : escolhas) {
      auto* c = j->findChild<QComboBox*>(lista);
      const int i = c ? c->findText(data, Qt::MatchContains) : -1;
      if (i < 0) continue;
      c->setCurrentIndex(i);
      emit c->activated(i);
    }
    zv::test::QuandoAparecer(janelaMapa, [=](QWidget* mapa) {
      Fotografa(*mapa, caminho);
      if (auto* b = fechar ? mapa->findChild<QPushButton*>(fechar) : nullptr)
        b->click();
      else
        mapa->close();
    });
    j->findChild<QPushButton*>(confirmar)->click();
  });
  botao->click();
}

void Clica(QListWidget* lista, const std::string& texto) {
  const auto itens = lista->findItems(QString::fromStdString(texto), Qt::MatchStartsWith);
  if (!itens.isEmpty()) Clica(lista, lista->row(itens.front()));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: browser_screenshots OUTDIR [INSTALLATION]\n");
    return 2;
  }
  const std::string saida = argv[1];
  fs::create_directories(saida);
  zv::test::TempDir raiz;
  if (!std::getenv("FIREBIRD_LOCK")) setenv("FIREBIRD_LOCK", (raiz / "lock").c_str(), 1);
  Clinica c;
  if (!(argc >= 3 ? Instalacao(fs::absolute(argv[2]).string(), c) : PequenaClinica(raiz, c)))
    return 1;

  zv::TBMapOperation mapa(c.dialogos);
  zv::TBProcuraModulos scan(c.dialogos);
  scan.ProcuraModulos(c.records.Paths.DirMapas);
  zv::browser::TfrmExamesView janela(
      {&c.dialogos, *c.dm, *c.settings, c.records, mapa, scan.Botoes()});
  janela.show();
  Assenta();
  auto* grade = janela.findChild<QListWidget*>("DBGridPacientes");
  Clica(grade, c.paciente);
  auto* lista = janela.findChild<QListWidget*>("lswPrincipal");
  janela.findChild<QCheckBox*>("cBoxMiniMapa")->setChecked(false);
  Clica(lista, 0);
  Fotografa(janela, saida + "/navegador-pacientes.png");
  janela.findChild<QCheckBox*>("cBoxMiniMapa")->setChecked(true);
  Clica(lista, c.linhaOrto);
  Fotografa(janela, saida + "/navegador-exame-orto.png");
  janela.findChild<QTabWidget*>("pcExames")->setCurrentIndex(1);
  Fotografa(janela, saida + "/navegador-exemplos.png");
  // An installation has example exams: one of them in the axial map.
  if (argc >= 3) {
    Clica(lista, "OD - Central03");
    FotografaMapa(janela.findChild<QToolButton*>("tbMapaPelmo"),
                  saida + "/navegador-exemplo-mapa.png");
    // The orthokeratology group: the four examples in Kandor (before the lens, after it, and
    // the two nights between), the first against the last in Horvat.
    Clica(janela.findChild<QListWidget*>("GridExemplos"), 5);
    FotografaMultiMapa(janela.findChild<QToolButton*>("tbMapaKandor"), "frmWizard",
                       {{"cmbPre", "10/01/01"},
                        {"cmbPos", "16/01/01"},
                        {"cmbAcomp1", "12/01/01"},
                        {"cmbAcomp2", "14/01/01"}},
                       "frmMapa", "Button1", "btnFechar", saida + "/navegador-exemplo-kandor.png");
    FotografaMultiMapa(janela.findChild<QToolButton*>("tbMapaHorvat"), "frmSelecaoExames",
                       {{"cmbExame1", "10/01/01"}, {"cmbExame2", "16/01/01"}}, "frmMultiMapas",
                       "btnProcessar", nullptr, saida + "/navegador-exemplo-horvat.png");
  }
  janela.findChild<QTabWidget*>("pcExames")->setCurrentIndex(0);
  janela.findChild<QPushButton*>("bbtnBuscaAv")->click();
  Fotografa(janela, saida + "/navegador-busca.png");
  c.dm->PDesconectionDataBase();
  return 0;
}
