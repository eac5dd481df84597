#include "UfrmDica.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "QtFormView.h"

namespace zv {

const char* const TfrmDica::kTextos[3] = {
    "A busca por Diagnóstico do Exame é sensível a letras maiúsculas/minúsculas, ou seja, faz "
    "diferença entre as mesmas. Uma busca por \"Astigmatismo\" trará resultado diferente de "
    "\"astigmatismo\" devido a letra inicial maiúscula.",
    "A busca por diagnótico também pode ser feita por qualquer parte do mesmo, como por "
    "exemplo, uma busca para \"astigmatismo irregular\" poderá ser digitado somente \"irreg\".",
    "Para ver um paciente/exame encontrado na busca dê duplo clique sobre o nome do "
    "paciente/exame ou click no botão \"Ver Paciente/Exame\" e o mesmo será visualizado no "
    "Painel de Navegação."};

void TfrmDica::FormShow() {
  view_.SetText("frmDica", "Dica de Busca");
  view_.SetText("lblTexto1", kTextos[0]);
  view_.SetText("lblTexto2", kTextos[1]);
  view_.SetText("lblTexto3", kTextos[2]);
  view_.SetText("btnOk", "&OK");
}

void TfrmDica::btnOkClick() {
  view_.Close(QDialog::Accepted);
}

TfrmDicaView::TfrmDicaView(QWidget* parent) : QDialog(parent) {
  setObjectName("frmDica");
  setFixedSize(540, 168);
  auto* picture = new QLabel(this);
  picture->setObjectName("imgInformacao");
  picture->setGeometry(12, 12, 32, 32);
  picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
  // The three texts stack in the space right of the picture, each as tall as its wrapped text.
  auto* texts = new QWidget(this);
  texts->setGeometry(52, 4, 482, 118);
  auto* column = new QVBoxLayout(texts);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(3);
  QFont font = this->font();
  font.setPixelSize(11);
  for (int i = 0; i < 3; ++i) {
    auto* text = new QLabel(texts);
    text->setObjectName(QString("lblTexto%1").arg(i + 1));
    text->setWordWrap(true);
    text->setFont(font);
    column->addWidget(text);
  }
  column->addStretch();
  auto* line = new QFrame(this);
  line->setObjectName("bvlSeparador");
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  line->setGeometry(8, 124, 524, 4);
  auto* ok = new QPushButton(this);
  ok->setObjectName("btnOk");
  ok->setGeometry(232, 134, 75, 25);
  ok->setDefault(true);
  bridge_ = std::make_unique<QtFormView>(this);
  model_ = std::make_unique<TfrmDica>(*bridge_);
  connect(ok, &QPushButton::clicked, this, [this] { model_->btnOkClick(); });
  model_->FormShow();
}

TfrmDicaView::~TfrmDicaView() = default;

}  // namespace zv
