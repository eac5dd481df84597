#include "UfrmInicialView.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

#include "QtDialogs.h"
#include "QtFormView.h"
#include "TfrmAguarde.h"
#include "UfrmDadosOrto.h"

namespace zv {

class TfrmInicialView::QtWaitNotice : public WaitNotice {
 public:
  explicit QtWaitNotice(QWidget* parent) : parent_(parent) {}
  void Show() override {
    notice_ = std::make_unique<TfrmAguardeView>(parent_);
    notice_->ShowNotice();
  }
  void Hide() override { notice_.reset(); }

 private:
  QWidget* parent_;
  std::unique_ptr<TfrmAguardeView> notice_;
};

namespace {

MouseButton FromQt(Qt::MouseButton b) {
  if (b == Qt::RightButton) return MouseButton::Right;
  if (b == Qt::MiddleButton) return MouseButton::Middle;
  return MouseButton::Left;
}

template <typename T>
T* Make(QWidget* parent, const char* name, QRect geometry) {
  auto* w = new T(parent);
  w->setObjectName(name);
  w->setGeometry(geometry);
  return w;
}

}  // namespace

template <typename Handler>
void TfrmInicialView::Run(Handler handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    static_cast<Dialogs&>(*dialogs_).Message(e.what(), "Erro", MsgIcon::Error);
  }
}

TfrmInicialView::TfrmInicialView(RingProcessing& processing, const TInfosZV& infos,
                                 std::array<QImage, 4> images, QWidget* parent)
    : QDialog(parent), processing_(processing) {
  setObjectName("frmInicial");
  setWindowTitle("Processamento de Imagem Digital - Ortoceratologia");
  // The window covers the screen; the 800 x 600 working area sits in its centre.
  const QRect screen = QApplication::primaryScreen()
                           ? QApplication::primaryScreen()->availableGeometry()
                           : QRect(0, 0, 800, 600);
  resize(std::max(800, screen.width()), std::max(600, screen.height()));
  auto* area = new QWidget(this);
  area->setObjectName("pnlTrabalho");
  area->setGeometry((width() - 800) / 2, (height() - 600) / 2, 800, 600);
  BuildControls(area);

  bridge_ = std::make_unique<QtFormView>(this);
  dialogs_ = std::make_unique<QtDialogs>(this);
  wait_ = std::make_unique<QtWaitNotice>(this);
  model_ = std::make_unique<TfrmInicial>(*bridge_, *dialogs_, processing, *wait_, infos,
                                         std::move(images));
  model_->ShowSummary = [this] {
    TfrmDadosOrtoView summary(processing_.Valores(), this);
    summary.exec();
  };

  auto* image = findChild<ImageView*>("Image1");
  connect(image, &ImageView::mousePressed, this, [this](Qt::MouseButton b, int x, int y) {
    Run([&] { model_->Image1MouseDown(FromQt(b), x, y); });
  });
  connect(image, &ImageView::mouseMoved, this,
          [this](Qt::MouseButtons, int x, int y) { Run([&] { model_->Image1MouseMove(x, y); }); });
  connect(image, &ImageView::mouseReleased, this, [this](Qt::MouseButton b, int x, int y) {
    Run([&] { model_->Image1MouseUp(FromQt(b), x, y); });
  });
  const std::pair<const char*, void (TfrmInicial::*)()> clicks[] = {
      {"btnSelecionar", &TfrmInicial::btnSelecionarClick},
      {"sbAdicionar", &TfrmInicial::sbAdicionarClick},
      {"sbRemover", &TfrmInicial::sbRemoverClick},
      {"btnRetocar", &TfrmInicial::btnRetocarClick},
      {"btnInterpolar", &TfrmInicial::btnInterpolarClick},
      {"cbAneis", &TfrmInicial::cbAneisClick},
      {"chkDesenhar", &TfrmInicial::chkDesenharClick},
      {"btnLimpar", &TfrmInicial::btnLimparClick},
      {"sbDesenharPup", &TfrmInicial::sbDesenharPupClick},
      {"sbMovimentarPup", &TfrmInicial::sbMovimentarPupClick},
      {"sbRedimensionarPup", &TfrmInicial::sbRedimensionarPupClick},
      {"sbRemoverPup", &TfrmInicial::sbRemoverPupClick},
      {"btnProxima", &TfrmInicial::btnProximaClick},
      {"btnAnterior", &TfrmInicial::btnAnteriorClick},
      {"spbDadosOrto", &TfrmInicial::spbDadosOrtoClick},
      {"btnOK", &TfrmInicial::btnOKClick},
      {"btnCancelar", &TfrmInicial::btnCancelarClick}};
  for (const auto& [name, handler] : clicks) {
    auto* button = findChild<QAbstractButton*>(name);
    connect(button, &QAbstractButton::clicked, this,
            [this, h = handler] { Run([&] { (model_.get()->*h)(); }); });
  }
  const std::pair<const char*, TfrmInicial::Direcao> arrows[] = {
      {"sbCimaPup", TfrmInicial::Direcao::Cima},
      {"sbBaixoPup", TfrmInicial::Direcao::Baixo},
      {"sbEsquerdaPup", TfrmInicial::Direcao::Esquerda},
      {"sbDireitaPup", TfrmInicial::Direcao::Direita}};
  for (const auto& [name, direction] : arrows) {
    auto* button = findChild<QAbstractButton*>(name);
    connect(button, &QAbstractButton::pressed, this,
            [this, d = direction] { Run([&] { model_->SetaMouseDown(d); }); });
    connect(button, &QAbstractButton::released, this,
            [this] { Run([&] { model_->AnulaMovs(); }); });
    connect(button, &QAbstractButton::clicked, this,
            [this, d = direction] { Run([&] { model_->SetaClick(d); }); });
  }
  connect(findChild<QSlider*>("TrBarTolVarredura"), &QSlider::valueChanged, this,
          [this] { Run([&] { model_->TrBarTolVarreduraChange(); }); });
  connect(findChild<QTimer*>("Timer1"), &QTimer::timeout, this,
          [this] { Run([&] { model_->Timer1Timer(); }); });
}

TfrmInicialView::~TfrmInicialView() = default;

void TfrmInicialView::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!shown_) {
    shown_ = true;
    Run([&] { model_->FormShow(); });
  }
}

void TfrmInicialView::reject() {
  Run([&] { model_->btnCancelarClick(); });
}

void TfrmInicialView::BuildControls(QWidget* area) {
  auto* image = Make<ImageView>(area, "Image1", QRect(4, 4, 640, 480));
  image->setCursor(Qt::ArrowCursor);
  auto* timer = new QTimer(this);
  timer->setObjectName("Timer1");
  timer->setInterval(150);

  // Right column: ring tools, tolerance, pupil and measurement.
  auto* rings = Make<QGroupBox>(area, "gbAneis", QRect(650, 4, 146, 170));
  rings->setTitle("Anéis");
  Make<QPushButton>(rings, "btnSelecionar", QRect(8, 20, 130, 24));
  Make<QPushButton>(rings, "btnRetocar", QRect(8, 48, 130, 24));
  Make<QPushButton>(rings, "btnInterpolar", QRect(8, 76, 130, 24));
  Make<QToolButton>(rings, "sbAdicionar", QRect(8, 104, 63, 24));
  Make<QToolButton>(rings, "sbRemover", QRect(75, 104, 63, 24));
  Make<QCheckBox>(rings, "cbAneis", QRect(8, 136, 130, 22));

  auto* tolerance = Make<QGroupBox>(area, "gbTolerancia", QRect(650, 178, 146, 62));
  tolerance->setTitle("Tolerância de varredura");
  auto* slider = Make<QSlider>(tolerance, "TrBarTolVarredura", QRect(8, 22, 130, 30));
  slider->setOrientation(Qt::Horizontal);
  slider->setRange(0, 4);
  slider->setTickInterval(1);
  slider->setTickPosition(QSlider::TicksBelow);
  slider->setPageStep(1);
  slider->setValue(2);

  auto* pupil = Make<QGroupBox>(area, "gbPupila", QRect(650, 244, 146, 150));
  pupil->setTitle("Pupila");
  for (const auto& [name, geometry] : {std::pair{"sbDesenharPup", QRect(8, 20, 63, 24)},
                                       std::pair{"sbRemoverPup", QRect(75, 20, 63, 24)},
                                       std::pair{"sbMovimentarPup", QRect(8, 48, 63, 24)},
                                       std::pair{"sbRedimensionarPup", QRect(75, 48, 63, 24)}}) {
    auto* b = Make<QToolButton>(pupil, name, geometry);
    b->setCheckable(std::string(name) != "sbRemoverPup");
  }
  findChild<QToolButton*>("sbMovimentarPup")->setText("Mover");
  findChild<QToolButton*>("sbRedimensionarPup")->setText("Tamanho");
  const std::tuple<const char*, Qt::ArrowType, QRect> arrows[] = {
      {"sbCimaPup", Qt::UpArrow, QRect(57, 78, 30, 22)},
      {"sbEsquerdaPup", Qt::LeftArrow, QRect(23, 100, 30, 22)},
      {"sbDireitaPup", Qt::RightArrow, QRect(91, 100, 30, 22)},
      {"sbBaixoPup", Qt::DownArrow, QRect(57, 122, 30, 22)}};
  for (const auto& [name, arrow, geometry] : arrows)
    Make<QToolButton>(pupil, name, geometry)->setArrowType(arrow);

  auto* measure = Make<QGroupBox>(area, "gbMedida", QRect(650, 398, 146, 150));
  measure->setTitle("Medida (DIV)");
  Make<QCheckBox>(measure, "chkDesenhar", QRect(8, 20, 130, 22));
  for (int i = 1; i <= 3; ++i)
    Make<QLabel>(measure, ("lbldist" + std::to_string(i)).c_str(), QRect(8, 24 + 20 * i, 130, 18));
  Make<QLabel>(measure, "lblDivMedia", QRect(8, 104, 130, 18))->setStyleSheet("font-weight: bold");
  Make<QPushButton>(measure, "btnLimpar", QRect(8, 122, 130, 22));

  // Under the image: where the operator is, the confidence index and the navigation.
  Make<QLabel>(area, "lblImagens", QRect(4, 490, 200, 20))->setStyleSheet("font-weight: bold");
  Make<QLabel>(area, "lblIndConf", QRect(210, 490, 90, 20));
  Make<QLabel>(area, "lblAutoProc", QRect(310, 490, 334, 20));
  Make<QLabel>(area, "lblInfo", QRect(4, 514, 640, 20));
  Make<QPushButton>(area, "btnAnterior", QRect(4, 560, 90, 30));
  Make<QPushButton>(area, "btnProxima", QRect(100, 560, 90, 30));
  Make<QToolButton>(area, "spbDadosOrto", QRect(200, 560, 110, 30));
  Make<QPushButton>(area, "btnOK", QRect(620, 560, 84, 30));
  Make<QPushButton>(area, "btnCancelar", QRect(710, 560, 84, 30));
}

}  // namespace zv
