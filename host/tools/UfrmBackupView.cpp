#include "UfrmBackupView.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include "QtFormView.h"

namespace zv {
namespace {

template <typename W>
W* Named(QWidget* parent, const char* name) {
  auto* w = new W(parent);
  w->setObjectName(name);
  return w;
}

}  // namespace

TfrmBackupView::TfrmBackupView(Dialogs& dialogs, ContextoBackup contexto,
                               std::function<void()> ajuda, QWidget* parent)
    : QDialog(parent), ajuda_(std::move(ajuda)) {
  setObjectName("frmBackup");
  resize(560, 440);
  auto* grid = new QGridLayout(this);

  auto* detalhes = Named<QPlainTextEdit>(this, "memDetalhes");
  detalhes->setReadOnly(true);
  grid->addWidget(new QLabel("Detalhes do último backup:", this), 0, 0, 1, 3);
  grid->addWidget(detalhes, 1, 0, 1, 3);

  auto* contagem = new QFormLayout;
  contagem->addRow(new QLabel("Exames sem backup:", this), Named<QLabel>(this, "Label2"));
  contagem->addRow(new QLabel("Laudos sem backup:", this), Named<QLabel>(this, "Label4"));
  grid->addLayout(contagem, 2, 0);
  auto* aviso = Named<QLabel>(this, "lblAvisoBackup");
  aviso->setWordWrap(true);
  aviso->setStyleSheet("color: #b00000");
  grid->addWidget(aviso, 3, 0, 1, 3);

  auto* agenda = Named<QGroupBox>(this, "grpBackupAutomatico");
  agenda->setTitle("Backup automático");
  auto* agendaGrid = new QGridLayout(agenda);
  auto* periodo = Named<QRadioButton>(agenda, "rbtPeriodo");
  periodo->setText("No período de...");
  auto* upDown1 = Named<QSpinBox>(agenda, "UpDown1");
  upDown1->setRange(1, 30);
  auto* unidade = Named<QComboBox>(agenda, "cbxPeriodo");
  agendaGrid->addWidget(periodo, 0, 0);
  agendaGrid->addWidget(upDown1, 0, 1);
  agendaGrid->addWidget(unidade, 0, 2);
  auto* exames = Named<QRadioButton>(agenda, "rbtExames");
  exames->setText("Efetuar backup a cada...");
  auto* upDown2 = Named<QSpinBox>(agenda, "UpDown2");
  upDown2->setRange(1, 10000);
  agendaGrid->addWidget(exames, 1, 0);
  agendaGrid->addWidget(upDown2, 1, 1);
  agendaGrid->addWidget(new QLabel("exames.", agenda), 1, 2);
  auto* nunca = Named<QRadioButton>(agenda, "rbtNunca");
  nunca->setText("Nunca");
  agendaGrid->addWidget(nunca, 2, 0);
  grid->addWidget(agenda, 4, 0, 1, 3);

  auto* iniciar = Named<QPushButton>(this, "btnIniciarBkp");
  iniciar->setText("Iniciar Backup");
  auto* restaurar = Named<QPushButton>(this, "btnRestaurar");
  restaurar->setText("Restaurar");
  auto* ajudaBtn = Named<QPushButton>(this, "SpeedButton3");
  ajudaBtn->setText("Ajuda");
  auto* fechar = Named<QPushButton>(this, "sbtFechar");
  fechar->setText("Fechar");
  auto* botoes = new QHBoxLayout;
  for (auto* b : {iniciar, restaurar, ajudaBtn, fechar}) botoes->addWidget(b);
  grid->addLayout(botoes, 5, 0, 1, 3);

  bridge_ = std::make_unique<QtFormView>(this);
  model_ = std::make_unique<TfrmBackup>(*bridge_, dialogs, std::move(contexto));
  model_->FormCreate();
  connect(iniciar, &QPushButton::clicked, this, [this] { model_->btnIniciarBkpClick(); });
  connect(restaurar, &QPushButton::clicked, this, [this] { model_->btnRestaurarClick(); });
  connect(fechar, &QPushButton::clicked, this, [this] { model_->sbtFecharClick(); });
  connect(ajudaBtn, &QPushButton::clicked, this, [this] {
    if (ajuda_) ajuda_();
  });
}

TfrmBackupView::~TfrmBackupView() = default;

void TfrmBackupView::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (mostrado_) return;
  mostrado_ = true;
  // After the window is on screen, so an automatic backup runs over a visible window.
  QTimer::singleShot(0, this, [this] { model_->FormShow(); });
}

void TfrmBackupView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1 && ajuda_) return ajuda_();
  QDialog::keyPressEvent(event);
}

}  // namespace zv
