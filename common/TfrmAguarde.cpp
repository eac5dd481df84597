#include "TfrmAguarde.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

#include "QtFormView.h"

namespace zv {
namespace {

// The 30 x 30 hourglass of the notice, drawn so that no picture file is needed.
QPixmap Hourglass() {
  QPixmap pix(30, 30);
  pix.fill(Qt::transparent);
  QPainter p(&pix);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(40, 40, 90), 2));
  p.setBrush(QColor(230, 200, 90));
  const QPointF top[] = {{7, 4}, {23, 4}, {15, 15}};
  const QPointF bottom[] = {{15, 15}, {23, 26}, {7, 26}};
  p.drawPolygon(top, 3);
  p.drawPolygon(bottom, 3);
  p.drawLine(5, 3, 25, 3);
  p.drawLine(5, 27, 25, 27);
  return pix;
}

}  // namespace

void TfrmAguarde::FormShow() {
  view_.SetText("pnlAguarde", "Aguarde...");
}

TfrmAguardeView::TfrmAguardeView(QWidget* parent) : QDialog(parent) {
  setObjectName("frmAguarde");
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  setFixedSize(191, 62);
  auto* panel = new QLabel(this);
  panel->setObjectName("pnlAguarde");
  panel->setGeometry(0, 0, 191, 62);
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setLineWidth(2);
  panel->setAutoFillBackground(true);
  auto* picture = new QLabel(panel);
  picture->setObjectName("imgAguarde");
  picture->setGeometry(16, 16, 30, 30);
  picture->setPixmap(Hourglass());
  panel->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
  panel->setIndent(60);
  QFont font("Arial");
  font.setPixelSize(15);
  panel->setFont(font);
  bridge_ = std::make_unique<QtFormView>(this);
  model_ = std::make_unique<TfrmAguarde>(*bridge_);
  model_->FormShow();
  if (const QScreen* screen = QApplication::primaryScreen())
    move(screen->geometry().center() - rect().center());
}

TfrmAguardeView::~TfrmAguardeView() = default;

void TfrmAguardeView::ShowNotice() {
  show();
  raise();
  repaint();
  QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace zv
