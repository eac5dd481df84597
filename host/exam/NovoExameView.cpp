// The Qt view of the new-exam assistant: the window's layout in pixels, step rows as flat
// buttons, previews scaled to 120 x 90, the model's step display applied after each change.
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>

#include "Protegido.h"
#include "QtDialogs.h"
#include "QtFormView.h"
#include "TfrmAguarde.h"
#include "UfrmNovoExame.h"

namespace zv::exam {
namespace {

const char* const kPassos[4] = {"Digitalizar Imagem", "Detectar Aneis", "Visualizar Mapa",
                                "Gravar Exame"};
const char* const kRotulos[4] = {"lblDigit", "lblDetect", "lblMapa", "lblGrava"};

QLabel* Texto(QWidget* pai, const QString& texto, int x, int y, const char* nome = "") {
  auto* l = new QLabel(texto, pai);
  l->setObjectName(nome);
  l->move(x, y);
  l->adjustSize();
  return l;
}

// A preview that shows whatever 640 x 480 picture it is given scaled into 120 x 90.
class Previa : public QLabel {
 public:
  using QLabel::QLabel;
  void Mostra() {
    const QImage img = property("zvImage").value<QImage>();
    if (!img.isNull()) setPixmap(QPixmap::fromImage(img.scaled(size())));
  }
};

}  // namespace

TfrmNovoExameView::TfrmNovoExameView(data::TDMPrincipal& dm, NavegadorExames& navegador,
                                     ContextoNovoExame contexto, QWidget* parent)
    : QDialog(parent, Qt::Tool) {
  setObjectName("frmNovoExame");
  setWindowTitle("Assistente para criação do exame");
  setFixedSize(570, 320);

  auto* icone = new QLabel(this);
  icone->setObjectName("Image4");
  icone->setGeometry(6, 6, 32, 32);
  icone->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(24, 24));
  icone->setMouseTracking(true);
  icone->installEventFilter(this);
  auto* importante = Texto(this, "Importante:", 40, 6, "lblMens1");
  QFont negrito = importante->font();
  negrito.setBold(true);
  importante->setFont(negrito);
  importante->adjustSize();
  auto* aviso = new QLabel(
      "As imagens frontal e lateral somente serão impressas na primeira vez em que o exame "
      "for visualizado, ou seja, no momento da criação do exame. Ao revê-lo as imagens serão "
      "perdidas.",
      this);
  aviso->setObjectName("lblMens2");
  aviso->setWordWrap(true);
  QFont pequena = aviso->font();
  pequena.setPixelSize(10);
  aviso->setFont(pequena);
  aviso->setGeometry(40, 19, 525, 24);
  auto* ajuda = new QLabel(
      "Siga os passos do assistente de forma sequencial e em caso de dúvidas consulte a nossa "
      "Ajuda que esta disponível em todas as etapas deste processo.",
      this);
  ajuda->setObjectName("lblMens3");
  ajuda->setWordWrap(true);
  ajuda->setGeometry(40, 6, 520, 40);
  ajuda->setAutoFillBackground(true);
  ajuda->hide();

  Texto(this, "Médico:", 16, 49);
  auto* medicos = new QComboBox(this);
  medicos->setObjectName("ComboMedicos");
  medicos->setGeometry(67, 45, 319, 22);
  Texto(this, "Paciente:", 12, 73);
  Texto(this, QString::fromStdString(contexto.nomePaciente), 70, 73, "DBlblPaciente");
  Texto(this, "Data:", 400, 49);
  Texto(this, "00/00/00", 440, 49, "lblData");
  Texto(this, "Hora:", 400, 73);
  Texto(this, "00:00:00", 440, 73, "lblHora");

  for (int olho : {TfrmNovoExame::kDireito, TfrmNovoExame::kEsquerdo}) {
    const bool d = olho == TfrmNovoExame::kDireito;
    const QString s = d ? "D" : "S";
    auto* caixa = new QGroupBox(d ? "Olho Direito" : "Olho Esquerdo", this);
    caixa->setObjectName(d ? "gbxOlhoDireito" : "gbxOlhoEsquerdo");
    caixa->setGeometry(d ? 4 : 291, 94, d ? 275 : 273, 153);
    for (int i = 0; i < 4; ++i) {
      auto* passo = new QPushButton(kPassos[i], caixa);
      passo->setObjectName(QString(kRotulos[i]) + s);
      passo->setFlat(true);
      passo->setGeometry(36, 20 + i * 24, 110, 20);
      passo->setStyleSheet("text-align: left");
      passo->setProperty("tag", i + 1);
      connect(passo, &QPushButton::clicked, this, [this, olho, i] {
        Protegido(this, [&] { model_->lblPassoClick(olho, i + 1); });
        Redesenha();
      });
      auto* marca = new QLabel("✔", caixa);
      marca->setObjectName(QString("ImgStep%1").arg(i + 1) + s);
      marca->setGeometry(19, 21 + i * 24, 17, 17);
    }
    auto* seta = new QLabel("➜", caixa);
    seta->setObjectName("ImgSeta" + s);
    seta->setGeometry(3, 21, 17, 17);
    auto* executar = new QPushButton("Executar", caixa);
    executar->setObjectName("sbtExecutar" + s);
    executar->setGeometry(40, 120, 90, 25);
    connect(executar, &QPushButton::clicked, this, [this, olho] {
      Protegido(this, [&] { model_->ExecutaPasso(olho); });
      Redesenha();
    });
    auto* previa = new Previa(caixa);
    previa->setObjectName(d ? "Olho1" : "Olho0");
    previa->setGeometry(d ? 148 : 146, 24, 120, 90);
    previa->setFrameShape(QFrame::Box);

    auto* painel = new QFrame(this);
    painel->setObjectName(d ? "pnlDireito" : "pnlEsquerdo");
    painel->setGeometry(d ? 4 : 291, 250, d ? 275 : 273, 255);
    Texto(painel, "Diagnóstico:", 4, 2);
    auto* diag = new QPlainTextEdit(painel);
    diag->setObjectName(d ? "Memo3" : "Memo1");
    diag->setGeometry(4, 18, painel->width() - 8, 100);
    Texto(painel, "Observações", 4, 124);
    auto* obs = new QPlainTextEdit(painel);
    obs->setObjectName(d ? "Memo4" : "Memo2");
    obs->setGeometry(4, 140, painel->width() - 8, 110);
  }
  auto* linha = new QFrame(this);
  linha->setObjectName("bvlInferior");
  linha->setFrameShape(QFrame::HLine);
  linha->setGeometry(4, 250, 562, 2);
  Texto(this, "Visualização dos mapas:", 8, 267, "lblVisualizacao");
  auto* axial = new QRadioButton("&Axial", this);
  axial->setObjectName("rbtAxial");
  axial->setGeometry(160, 266, 70, 20);
  auto* tangencial = new QRadioButton("&Tangencial", this);
  tangencial->setObjectName("rbtTangencial");
  tangencial->setGeometry(235, 266, 100, 20);
  auto* kandor = new QRadioButton("&Quillon Orto", this);
  kandor->setObjectName("rbtKandor");
  kandor->setGeometry(160, 266, 120, 20);
  auto* fechar = new QPushButton("&Fechar", this);
  fechar->setObjectName("sbtFechar");
  fechar->setGeometry(470, 263, 90, 25);

  installEventFilter(this);
  bridge_ = std::make_unique<QtFormView>(this);
  dialogs_ = std::make_unique<QtDialogs>(this);
  tempoAviso_ = new QTimer(this);
  tempoAviso_->setSingleShot(true);
  connect(tempoAviso_, &QTimer::timeout, this, [this] { Aguarde(false); });
  contexto.aguarde = [this](bool mostra) { Aguarde(mostra); };
  model_ = std::make_unique<TfrmNovoExame>(*bridge_, *dialogs_, dm, navegador, std::move(contexto));
  model_->aoMudar = [this] { Redesenha(); };
  connect(fechar, &QPushButton::clicked, this, [this] { model_->sbtFecharClick(); });
  Protegido(this, [&] { model_->FormShow(); });
  move((800 - width()) / 2, (600 - height()) / 2);
}

TfrmNovoExameView::~TfrmNovoExameView() {
  Aguarde(false);
}

// "Aguarde..." and the busy pointer while the map is prepared and the exam is saved.  Like the
// browser's timer, one second after it shows the notice gives way, so it never stays over a
// module's window or a message that the operator must read.
void TfrmNovoExameView::Aguarde(bool mostra) {
  if (mostra) {
    if (!aviso_) aviso_ = std::make_unique<TfrmAguardeView>(this);
    if (!cursorOcupado_) QApplication::setOverrideCursor(Qt::WaitCursor);
    cursorOcupado_ = true;
    aviso_->ShowNotice();
    tempoAviso_->start(1000);
    return;
  }
  if (aviso_) aviso_->hide();
  if (cursorOcupado_) QApplication::restoreOverrideCursor();
  cursorOcupado_ = false;
}

// Step rows: arrow at the current row, labels blue while they can be clicked, red otherwise;
// the window's height follows the model's layout.
void TfrmNovoExameView::Redesenha() {
  if (!model_) return;
  for (int olho : {TfrmNovoExame::kDireito, TfrmNovoExame::kEsquerdo}) {
    const QString s = olho == TfrmNovoExame::kDireito ? "D" : "S";
    for (int i = 0; i < 4; ++i)
      if (auto* b = findChild<QPushButton*>(QString(kRotulos[i]) + s))
        b->setStyleSheet(model_->Azul(olho, i + 1)
                             ? "QPushButton{text-align:left} QPushButton:hover{color:blue}"
                             : "QPushButton{text-align:left} QPushButton:hover{color:red}");
    if (auto* seta = findChild<QLabel*>("ImgSeta" + s); seta && model_->LinhaSeta(olho) > 0)
      seta->move(3, 21 + (model_->LinhaSeta(olho) - 1) * 24);
    if (auto* previa = findChild<QLabel*>(olho == TfrmNovoExame::kDireito ? "Olho1" : "Olho0"))
      static_cast<Previa*>(previa)->Mostra();
  }
  const bool grande = model_->Grande();
  const int altura = grande ? 582 : 320, base = grande ? 508 : 250;
  setFixedSize(570, altura);
  findChild<QFrame*>("bvlInferior")->move(4, base);
  findChild<QLabel*>("lblVisualizacao")->move(8, base + 17);
  for (const char* r : {"rbtAxial", "rbtTangencial", "rbtKandor"}) {
    auto* w = findChild<QWidget*>(r);
    w->move(w->x(), base + 16);
  }
  findChild<QWidget*>("sbtFechar")->move(470, base + 13);
  move(x(), grande ? 0 : (600 - altura) / 2);
}

// Esc closes at once; the pointer over the information icon shows the help text.
bool TfrmNovoExameView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    model_->KeyPress(27);
    return true;
  }
  if (watched->objectName() == "Image4" &&
      (event->type() == QEvent::Enter || event->type() == QEvent::Leave)) {
    const bool sobre = event->type() == QEvent::Enter;
    findChild<QLabel*>("lblMens3")->setVisible(sobre);
    findChild<QLabel*>("lblMens2")->setVisible(!sobre);
    findChild<QLabel*>("lblMens1")->setVisible(!sobre);
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace zv::exam
