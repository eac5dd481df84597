#include "UfrmStarting.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <algorithm>

#include "QtFormView.h"

namespace zv {
namespace {

const char* const kMarcas[4] = {"ImgStep1", "ImgStep2", "ImgStep3", "ImgStep4"};
const char* const kRotulos[4] = {"lblTextoBd1", "lblTextoBd2", "lblTextoModulo1",
                                 "lblTextoModulo2"};

// A green check mark on a 17 x 17 picture.
QImage MarcaVerificada() {
  QImage mark(17, 17, QImage::Format_ARGB32);
  mark.fill(Qt::transparent);
  QPainter p(&mark);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0, 140, 60), 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolyline(QPolygonF({QPointF(3, 9), QPointF(7, 13), QPointF(14, 4)}));
  return mark;
}

}  // namespace

const char* const TfrmIniciando::kTextos[4] = {
    "Verificando a integridade do banco de dados.", "Iniciando o banco de dados.",
    "Localizando os módulos instalados.", "Iniciando os módulos instalados."};

void TfrmIniciando::FormCreate() {
  for (int i = 0; i < 4; ++i) {
    view_.SetText(kRotulos[i], kTextos[i]);
    view_.SetVisible(kMarcas[i], i == 0);
  }
  view_.SetValue("PBProgress", 0);
}

void TfrmIniciando::MostraEtapa(int step) {
  view_.SetVisible(kMarcas[step - 1], true);
  view_.Repaint(kMarcas[step - 1]);
}

void TfrmIniciando::Progresso(int position) {
  view_.SetValue("PBProgress", std::clamp(position, 0, 100));
  view_.Repaint("PBProgress");
}

void TfrmIniciando::AvancaProgresso(int amount) {
  Progresso(Posicao() + amount);
}

TfrmIniciandoView::TfrmIniciandoView(QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog) {
  setObjectName("frmIniciando");
  setFixedSize(342, 178);
  auto* panel = new QFrame(this);
  panel->setObjectName("pnlFundo");
  panel->setGeometry(0, 0, 342, 178);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Raised);
  panel->setStyleSheet("#pnlFundo { background: #d4d0c8; }");
  QFont font("Verdana");
  font.setPixelSize(11);
  const QImage mark = MarcaVerificada();
  for (int i = 0; i < 4; ++i) {
    auto* picture = new QLabel(panel);
    picture->setObjectName(kMarcas[i]);
    picture->setGeometry(24, 22 + 28 * i, 17, 17);
    picture->setPixmap(QPixmap::fromImage(mark));
    auto* text = new QLabel(panel);
    text->setObjectName(kRotulos[i]);
    text->setGeometry(50, 22 + 28 * i, 280, 17);
    text->setFont(font);
    text->setStyleSheet("color: #000080;");
  }
  auto* bar = new QProgressBar(panel);
  bar->setObjectName("PBProgress");
  bar->setGeometry(24, 138, 294, 18);
  bar->setRange(0, 100);
  bar->setTextVisible(false);
  bridge_ = std::make_unique<QtFormView>(this);
  model_ = std::make_unique<TfrmIniciando>(*bridge_);
  model_->FormCreate();
}

TfrmIniciandoView::~TfrmIniciandoView() = default;

}  // namespace zv
