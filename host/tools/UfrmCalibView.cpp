#include "UfrmCalibView.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "QtDialogs.h"
#include "QtFormView.h"

namespace zv {
namespace {

QLabel* Rotulo(QWidget* pai, const char* nome, const QString& texto, QRect onde) {
  auto* l = new QLabel(texto, pai);
  l->setObjectName(nome);
  l->setGeometry(onde);
  return l;
}

QPushButton* Botao(QWidget* pai, const char* nome, const QString& texto, QRect onde) {
  auto* b = new QPushButton(texto, pai);
  b->setObjectName(nome);
  b->setGeometry(onde);
  return b;
}

QWidget* PainelQualidade(QWidget* pai) {
  auto* painel = new QGroupBox("Qualidade da calibração", pai);
  painel->setObjectName("pnlQualidade");
  auto* coluna = new QVBoxLayout(painel);
  auto* legenda = new QLabel(
      "Resíduo de cada esfera (E1 = 7.73, E2 = 8.05, E3 = 8.34, E4 = 8.91 mm): o raio que os "
      "novos coeficientes dão menos o raio da esfera, em milímetros e em dioptrias.",
      painel);
  legenda->setObjectName("lblQualidadeLegenda");
  legenda->setWordWrap(true);
  coluna->addWidget(legenda);
  auto* grade = new QTableWidget(0, 9, painel);
  grade->setObjectName("grdQualidade");
  QStringList titulos{"Anel"};
  for (int s = 1; s <= 4; ++s) titulos << QString("E%1 mm").arg(s) << QString("E%1 D").arg(s);
  grade->setHorizontalHeaderLabels(titulos);
  grade->verticalHeader()->setVisible(false);
  grade->verticalHeader()->setDefaultSectionSize(20);
  grade->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  grade->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grade->setFixedHeight(200);
  coluna->addWidget(grade);
  auto* resumo = new QLabel(painel);
  resumo->setObjectName("lblQualidade");
  resumo->setWordWrap(true);
  coluna->addWidget(resumo);
  return painel;
}

}  // namespace

TfrmCalibView::TfrmCalibView(TBIniSettings& settings, TZVRecords& records,
                             ModulosCalibracao& modulos,
                             std::function<void(const std::string&)> ajuda, QWidget* parent)
    : QDialog(parent) {
  setObjectName("frmCalib");
  auto* topo = new QWidget(this);
  topo->setFixedSize(600, 336);

  auto* calibrador = new ImageView(topo);
  calibrador->setObjectName("imgCalibrador");
  calibrador->setGeometry(10, 10, kLarguraCalibrador, kAlturaCalibrador);
  auto* animacao = new ImageView(topo);
  animacao->setObjectName("aniCalibrador");
  animacao->setGeometry(410, 10, kLadoAnimacao, kLadoAnimacao);
  auto* dica =
      Rotulo(topo, "lblAnimacao", "Gire a torre até a esfera indicada.", QRect(370, 186, 220, 34));
  dica->setWordWrap(true);
  dica->setAlignment(Qt::AlignCenter);

  auto* grupo = new QGroupBox("Tipo de calibrador", topo);
  grupo->setObjectName("rgpTpCalib");
  grupo->setGeometry(10, 222, 200, 70);
  auto* linha = new QVBoxLayout(grupo);
  linha->setContentsMargins(10, 4, 10, 4);
  auto* rbt1 = new QRadioButton("Calibrador 1", grupo);
  rbt1->setObjectName("rbtCalibrador1");
  auto* rbt2 = new QRadioButton("Calibrador 2", grupo);
  rbt2->setObjectName("rbtCalibrador2");
  linha->addWidget(rbt1);
  linha->addWidget(rbt2);

  Rotulo(topo, "lblRaioTitulo", "Raio da esfera (mm):", QRect(230, 234, 140, 20));
  auto* raio = Rotulo(topo, "lblRaio", "7,73", QRect(380, 234, 100, 20));
  QFont negrito = raio->font();
  negrito.setBold(true);
  raio->setFont(negrito);
  Rotulo(topo, "lblUltCalibTitulo", "Última calibração:", QRect(230, 262, 140, 20));
  Rotulo(topo, "lblUltCalib", "", QRect(380, 262, 210, 20));

  auto* prev = Botao(topo, "sbtPrev", "Esfera Anterior", QRect(10, 298, 120, 30));
  auto* proc = Botao(topo, "sbtProcEsf", "Processar Esfera", QRect(136, 298, 140, 30));
  auto* next = Botao(topo, "sbtNext", "Próxima Esfera", QRect(282, 298, 120, 30));
  auto* ajudaBotao = Botao(topo, "SpeedButton3", "?", QRect(440, 298, 30, 30));
  ajudaBotao->setToolTip("Ajuda");
  auto* fechar = Botao(topo, "sbtFechar", "Fechar", QRect(500, 298, 90, 30));

  auto* timer = new QTimer(this);
  timer->setObjectName("Timer");
  auto* timerAnimacao = new QTimer(this);
  timerAnimacao->setObjectName("tmrAnimacao");

  auto* coluna = new QVBoxLayout(this);
  coluna->setSizeConstraint(QLayout::SetFixedSize);
  coluna->addWidget(topo);
  coluna->addWidget(PainelQualidade(this));

  bridge_ = std::make_unique<QtFormView>(this);
  dialogs_ = std::make_unique<QtDialogs>(this);
  model_ = std::make_unique<TfrmCalib>(*bridge_, *dialogs_, settings, records, modulos, this,
                                       std::move(ajuda));

  connect(prev, &QPushButton::clicked, this, [this] { model_->sbtPrevClick(); });
  connect(next, &QPushButton::clicked, this, [this] { model_->sbtNextClick(); });
  connect(proc, &QPushButton::clicked, this, [this] {
    model_->sbtProcEsfClick();
    // A save opens the quality table below: keep the grown window on the screen.
    Centra();
  });
  connect(fechar, &QPushButton::clicked, this, [this] { model_->sbtFecharClick(); });
  connect(ajudaBotao, &QPushButton::clicked, this, [this] { model_->SpeedButton3Click(); });
  connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
          [this] { model_->FormKeyF1(); });
  connect(timer, &QTimer::timeout, this, [this] { model_->TimerTimer(); });
  connect(timerAnimacao, &QTimer::timeout, this, [this] { model_->tmrAnimacaoTimer(); });
  // Only the operator's choice of the other calibrator counts, not a click on the chosen one.
  const auto escolhe = [this](int index) {
    if (index != model_->Tipo()) model_->rgpTpCalibClick(index);
  };
  connect(rbt1, &QRadioButton::clicked, this, [escolhe] { escolhe(kCalibrador1); });
  connect(rbt2, &QRadioButton::clicked, this, [escolhe] { escolhe(kCalibrador2); });

  model_->FormCreate();
}

TfrmCalibView::~TfrmCalibView() = default;

void TfrmCalibView::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (shown_) return;
  shown_ = true;
  model_->FormShow();
  Centra();
}

void TfrmCalibView::Centra() {
  adjustSize();
  move(screen()->availableGeometry().center() - frameGeometry().center() + pos());
}

void TfrmCalibView::done(int result) {
  if (!closed_) {
    closed_ = true;
    model_->FormClose();
  }
  QDialog::done(result);
}

}  // namespace zv
