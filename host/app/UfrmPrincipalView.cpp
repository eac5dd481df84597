#include "UfrmPrincipalView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QScreen>
#include <QTimer>
#include <QUrl>

#include "Cadastros.h"
#include "GanchosNavegador.h"
#include "LembreteBackup.h"
#include "QtFormView.h"
#include "TextFile.h"
#include "UBImagens.h"
#include "UfrmAjuda.h"
#include "UfrmBackupView.h"
#include "UfrmCalibView.h"
#include "UfrmExamesView.h"
#include "UfrmFerramentasView.h"
#include "UfrmSobreView.h"
#include "UfrmStarting.h"

namespace zv {

void ExecutaProtegido(QWidget* parent, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    QtDialogs(parent).Message(e.what(), "Erro", MsgIcon::Error, MsgButtons::Ok);
  }
}

JanelasQt::JanelasQt(QWidget* parent) : parent_(parent), dialogs_(parent) {}

JanelasQt::~JanelasQt() = default;

TfrmIniciando& JanelasQt::Iniciando() {
  if (!splash_) {
    splash_ = std::make_unique<TfrmIniciandoView>();
    splash_->show();
    splash_->raise();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
  return splash_->Model();
}

void JanelasQt::FechaIniciando() {
  splash_.reset();
}

void JanelasQt::Navegador(const TBProcuraModulos& modulos) {
  // The settings and the map operation exist once the start-up has made them.
  if (!principal_ || !principal_->Settings() || !principal_->MapOperation())
    return AindaNaoDisponivel("O navegador de exames");
  InstalaGanchosNavegador();
  browser::MostraNavegador({nullptr, principal_->DataModule(), *principal_->Settings(),
                            principal_->Records(), *principal_->MapOperation(), modulos.Botoes()},
                           parent_);
}

void JanelasQt::Abre(Janela janela, const TBProcuraModulos& modulos) {
  switch (janela) {
    case Janela::CadastroMedicos:
      return CadastroMedicos();
    case Janela::Calibracao:
      return Calibracao();
    case Janela::Ferramentas:
      return Ferramentas(modulos);
    case Janela::Backup:
      return Backup();
    case Janela::Sobre:
      return Sobre();
  }
}

namespace {

// The browser as the registration and the new exam see it.
class NavegadorDoCadastro : public exam::NavegadorExames {
 public:
  explicit NavegadorDoCadastro(browser::TfrmExames& navegador) : navegador_(navegador) {}
  void RecarregaMedicos() override { navegador_.RecarregaMedicos(); }
  void SelecionaPaciente(const std::string& nome, const std::string& filtro) override {
    navegador_.SelecionaPaciente(nome, filtro);
  }
  std::string MedicoAtual() const override { return navegador_.MedicoDoFiltro(); }
  int QuantidadeMedicos() const override { return navegador_.QuantidadeMedicos(); }

 private:
  browser::TfrmExames& navegador_;
};

}  // namespace

// The browser opens the new exam and the patient registration through its hooks; the new exam
// starts on the doctor of the browser's filter, and both select their patient in the browser
// when they saved.
void JanelasQt::InstalaGanchosNavegador() {
  TfrmPrincipal* principal = principal_;
  QWidget* parent = parent_;
  const auto novoExame = [principal, parent](browser::TfrmExames& b, int codPaciente, bool orto) {
    const TZVRecords& r = principal->Records();
    NavegadorDoCadastro navegador(b);
    exam::AbreNovoExame(parent, principal->DataModule(), navegador,
                        exam::ContextoDoPaciente(principal->DataModule(), r.Infos, r.Paths,
                                                 codPaciente, b.MedicoDoFiltro(), orto));
  };
  auto& ganchos = browser::Ganchos();
  ganchos.novoExame = novoExame;
  ganchos.cadastraPaciente = [principal, parent, novoExame](browser::TfrmExames& b) {
    NavegadorDoCadastro navegador(b);
    exam::AbreNovoPaciente(
        parent, principal->DataModule(), navegador, principal->Records().Infos.AutoExame != 0,
        // The patient picked or registered is the one the browser now shows.
        [novoExame, &b](const std::string&) { novoExame(b, b.CodigoPaciente(), false); });
  };
  ganchos.alteraPaciente = [principal, parent](int codPaciente) {
    exam::AbreEdicaoPaciente(parent, principal->DataModule(), codPaciente);
  };
}

void JanelasQt::CadastroMedicos() {
  if (!principal_) return AindaNaoDisponivel("O cadastro de médicos");
  const char* ativo = principal_->Records().Infos.MedicoAtivo;
  exam::AbreCadastroMedicos(parent_, principal_->DataModule(), ativo ? ativo : "");
}

void JanelasQt::Calibracao() {
  // The settings exist once the start-up has loaded them.
  if (!principal_ || !principal_->Settings()) return AindaNaoDisponivel("A calibração");
  ModulosCalibracaoDLL modulos;
  TfrmCalibView janela(
      *principal_->Settings(), principal_->Records(), modulos,
      [this](const std::string& topic) { Ajuda(topic); }, parent_);
  janela.exec();
}

void JanelasQt::Sobre() {
  if (!principal_) return AindaNaoDisponivel("A janela Sobre");
  const TBVersionInfo* versao = principal_->VersionInfo();
  InfoModulosDLL modulos(dialogs_);
  const TZVRecords& records = principal_->Records();
  TfrmSobreView janela(
      records.Infos, records.Paths,
      {versao ? versao->FileVersion() : std::string(), versao ? versao->BuildNumber() : 0}, modulos,
      parent_);
  janela.exec();
}

std::string JanelasQt::ArquivoBackupIni() const {
  const std::string& dir = principal_->Programa().dir;
  return JoinPath(dir.empty() ? ProgramDirectory() : dir, "BackUp.ini");
}

void JanelasQt::Ferramentas(const TBProcuraModulos& modulos) {
  if (!principal_ || !principal_->Settings()) return AindaNaoDisponivel("A janela de ferramentas");
  TfrmFerramentasView janela(dialogs_,
                             {*principal_->Settings(), principal_->Records(),
                              principal_->DataModule(), ArquivoBackupIni(), modulos.ListaModulos()},
                             parent_);
  janela.exec();
}

ContextoBackup JanelasQt::ContextoDoBackup() const {
  data::TDMPrincipal& dm = principal_->DataModule();
  return {*principal_->Settings(), principal_->Records(),      dm,
          ArquivoBackupIni(),      {dm.User(), dm.Password()}, parent_};
}

void JanelasQt::Backup() {
  if (!principal_ || !principal_->Settings()) return AindaNaoDisponivel("O backup");
  TfrmBackupView janela(
      dialogs_, ContextoDoBackup(), [this] { Ajuda("backup"); }, parent_);
  janela.exec();
}

void JanelasQt::AindaNaoDisponivel(const std::string& janela) {
  dialogs_.Message(janela + " ainda não está disponível nesta versão do sistema.", "Informação",
                   MsgIcon::Information, MsgButtons::Ok);
}

void JanelasQt::Ajuda(const std::string& topic) {
  AbreAjuda(parent_, topic);
}

void JanelasQt::AbreEndereco(const std::string& url) {
  QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
}

void JanelasQt::LembreteBackup(const TInfosZV& infos) {
  if (infos.BackupAuto <= 0 || !principal_ || !principal_->Settings()) return;
  TfrmBackupView janela(
      dialogs_, ContextoDoBackup(), [this] { Ajuda("backup"); }, parent_);
  TfrmBackup& backup = janela.Model();
  backup.Atualiza();
  const AgendaBackup agenda{infos.BackupAuto, infos.BackupPeriodo, infos.BackupUnidade,
                            infos.BackupExames};
  if (!BackupDevido(agenda, backup.Detalhes(), backup.ExamesSemBackup(), DateTime::Now())) return;
  if (!backup.PerguntaBackupAutomatico()) return;
  backup.SetAutomatico(true);
  janela.exec();
}

TfrmPrincipalView::TfrmPrincipalView(data::TDMPrincipal& dm, TZVRecords& records,
                                     ProgramaZarvik programa,
                                     std::unique_ptr<JanelasPrincipal> janelas)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::Window), dialogs_(this) {
  setObjectName("frmPrincipal");
  setWindowTitle("ZarvikSL");
  setFixedSize(kTamanhoFundo);
  janelas_ = janelas ? std::move(janelas) : std::make_unique<JanelasQt>(this);

  auto* fundo = new ImageView(this);
  fundo->setObjectName("Image1");
  fundo->setGeometry(0, 0, 800, 600);
  auto* faixa = new ImageView(this);
  faixa->setObjectName("Image2");
  faixa->setGeometry(0, 22, 802, 143);
  faixa->setCursor(Qt::PointingHandCursor);
  auto* site = new ImageView(this);
  site->setObjectName("Image3");
  site->setGeometry(606, 518, 183, 74);
  std::array<TBtnImageView*, kBotoes> botoes;
  for (int i = 0; i < kBotoes; ++i) {
    botoes[i] = new TBtnImageView(this);
    botoes[i]->setObjectName(QString("BtnImage%1").arg(i));
    botoes[i]->setGeometry(kGeometriaBotoes[i]);
  }

  bridge_ = std::make_unique<QtFormView>(this);
  model_ = std::make_unique<TfrmPrincipal>(*bridge_, dialogs_, dm, *janelas_, records,
                                           std::move(programa));
  if (auto* qt = dynamic_cast<JanelasQt*>(janelas_.get())) qt->Principal(*model_);

  const std::array<void (TfrmPrincipal::*)(), kBotoes> cliques = {
      &TfrmPrincipal::BtnImage0Click, &TfrmPrincipal::BtnImage1Click,
      &TfrmPrincipal::BtnImage2Click, &TfrmPrincipal::BtnImage3Click,
      &TfrmPrincipal::BtnImage4Click, &TfrmPrincipal::BtnImage5Click,
      &TfrmPrincipal::BtnImage6Click};
  for (int i = 0; i < kBotoes; ++i) {
    TBtnImage& b = model_->Botao(i);
    connect(botoes[i], &TBtnImageView::entered, this, [&b] { b.MouseEnter(); });
    connect(botoes[i], &TBtnImageView::left, this, [&b] { b.MouseLeave(); });
    connect(botoes[i], &TBtnImageView::pressed, this, [&b] { b.MouseDown(); });
    connect(botoes[i], &TBtnImageView::released, this, [&b] { b.MouseUp(); });
    const auto clique = cliques[i];
    connect(botoes[i], &TBtnImageView::clicked, this,
            [this, clique] { Protegido([this, clique] { (model_.get()->*clique)(); }); });
  }
  const auto aoClicar = [this](ImageView* image, void (TfrmPrincipal::*handler)()) {
    connect(image, &ImageView::mouseReleased, this,
            [this, image, handler](Qt::MouseButton button, int x, int y) {
              if (button == Qt::LeftButton && image->rect().contains(x, y))
                Protegido([this, handler] { (model_.get()->*handler)(); });
            });
  };
  aoClicar(faixa, &TfrmPrincipal::Image2Click);
  aoClicar(site, &TfrmPrincipal::Image3Click);
  AjudaComF1(this, "principal");

  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
    if (s == Qt::ApplicationActive) Ativou();
  });
  Protegido([this] { model_->FormCreate(); });
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

TfrmPrincipalView::~TfrmPrincipalView() = default;

void TfrmPrincipalView::TrazParaFrente() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

void TfrmPrincipalView::showEvent(QShowEvent* e) {
  QWidget::showEvent(e);
  activateWindow();
  // A display without a window manager may never report the application active: the first
  // showing counts as the first activation.
  QTimer::singleShot(0, this, [this] { Ativou(); });
}

void TfrmPrincipalView::Ativou() {
  if (fechado_) return;
  Protegido([this] { model_->ApplicationEvents1Activate(); });
}

void TfrmPrincipalView::closeEvent(QCloseEvent* e) {
  if (!fechado_) {
    fechado_ = true;
    model_->FormClose();
  }
  e->accept();
  QCoreApplication::quit();
}

}  // namespace zv
