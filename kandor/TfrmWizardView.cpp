#include "TfrmWizardView.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "QtFormView.h"

namespace kandor {
namespace {

// The decorative picture of the left panel: concentric rings over a blue gradient.
QImage FiguraLateral() {
  QImage img(159, 462, QImage::Format_RGB32);
  QPainter p(&img);
  QLinearGradient g(0, 0, 0, img.height());
  g.setColorAt(0, QColor(10, 36, 106));
  g.setColorAt(1, QColor(90, 140, 210));
  p.fillRect(img.rect(), g);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(Qt::NoBrush);
  for (int anel = 1; anel <= 12; ++anel) {
    p.setPen(QPen(QColor(255, 255, 255, anel % 2 ? 170 : 70), 3));
    p.drawEllipse(QPointF(80, 150), anel * 6.0, anel * 6.0);
  }
  return img;
}

QComboBox* Lista(QWidget* pai, const char* nome, QPoint pos) {
  auto* c = new QComboBox(pai);
  c->setObjectName(nome);
  c->setEditable(false);
  c->setGeometry(QRect(pos, QSize(201, 24)));
  // The open list shows whole lines: exams of one day differ only in their time.
  c->view()->setMinimumWidth(250);
  return c;
}

QLabel* Rotulo(QWidget* pai, const char* nome, const QString& texto, QPoint pos) {
  auto* l = new QLabel(texto, pai);
  l->setObjectName(nome);
  l->move(pos);
  l->adjustSize();
  return l;
}

}  // namespace

TfrmWizardView::TfrmWizardView(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint |
                          Qt::WindowContextHelpButtonHint) {
  setObjectName("frmWizard");
  setWindowTitle("Assistente de Kandor");
  setFixedSize(625, 326);
  setFont(QFont(QStringLiteral("Arial"), 8));

  auto* figura = new zv::ImageView(this);
  figura->setObjectName("Image1");
  figura->setGeometry(0, 0, 159, 462);
  figura->setImage(FiguraLateral());

  auto* titulo = Rotulo(this, "Label7", "Seleção de Exames", QPoint(190, 24));
  titulo->setStyleSheet("font: 900 12pt 'Arial';");
  titulo->adjustSize();

  Rotulo(this, "Label1", "Exame 1:", QPoint(190, 90));
  auto* pre = Lista(this, "cmbPre", QPoint(190, 108));
  Rotulo(this, "lblpos", "Exame 2:", QPoint(410, 90));
  auto* pos = Lista(this, "cmbPos", QPoint(410, 108));
  Rotulo(this, "lblac1", "Exame 3:", QPoint(190, 160));
  auto* ac1 = Lista(this, "cmbAcomp1", QPoint(190, 178));
  Rotulo(this, "lblac2", "Exame 4", QPoint(410, 160));
  Lista(this, "cmbAcomp2", QPoint(410, 178));

  auto* processar = new QPushButton("&Processar", this);
  processar->setObjectName("Button1");
  processar->setGeometry(420, 282, 88, 27);
  auto* cancelar = new QPushButton("&Cancelar", this);
  cancelar->setObjectName("btnCancelar");
  cancelar->setGeometry(516, 282, 88, 27);

  // A change is a choice made by the user; lists the model refills do not call back.
  auto liga = [this](QComboBox* c, std::function<void()> TfrmWizardView::*handler) {
    connect(c, &QComboBox::activated, this, [this, handler] {
      if (this->*handler) (this->*handler)();
    });
  };
  liga(pre, &TfrmWizardView::cmbPreChange);
  liga(pos, &TfrmWizardView::cmbPosChange);
  liga(ac1, &TfrmWizardView::cmbAcomp1Change);
  connect(processar, &QPushButton::clicked, this, [this] {
    if (Button1Click) Button1Click();
  });
  connect(cancelar, &QPushButton::clicked, this, [this] { reject(); });

  // The wizard opens in the middle of the screen, not over the host's window.
  move(screen()->availableGeometry().center() - rect().center());
}

void TfrmWizardView::reject() {
  if (btnCancelarClick) {
    btnCancelarClick();
  } else {
    QDialog::reject();
  }
}

}  // namespace kandor
