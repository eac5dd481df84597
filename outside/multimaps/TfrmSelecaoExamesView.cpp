#include "TfrmSelecaoExamesView.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace multimapas {

TfrmSelecaoExamesView::TfrmSelecaoExamesView(QWidget* parent, const RegraSelecao& regra)
    : QDialog(parent) {
  setObjectName("frmSelecaoExames");
  setWindowTitle(regra.titulo);
  auto* titulo = new QLabel("Seleção de Exames", this);
  titulo->setStyleSheet("font: bold 12pt;");
  auto* instrucao = new QLabel(this);
  instrucao->setObjectName("lblInstrucao");

  auto* listas = new QGridLayout;
  for (int i = 1; i <= static_cast<int>(regra.vagas.size()); ++i) {
    auto* rotulo = new QLabel(this);
    rotulo->setObjectName(QString::fromStdString(NomeRotulo(i)));
    auto* lista = new QComboBox(this);
    lista->setObjectName(QString::fromStdString(NomeLista(i)));
    lista->setMinimumWidth(300);
    // A choice made by the operator; the lists the model refills do not call back.
    connect(lista, &QComboBox::activated, this, [this, i] {
      if (cmbExameChange) cmbExameChange(i);
    });
    listas->addWidget(rotulo, i - 1, 0);
    listas->addWidget(lista, i - 1, 1);
  }

  auto* processar = new QPushButton("&Processar", this);
  processar->setObjectName("btnProcessar");
  processar->setDefault(true);
  auto* cancelar = new QPushButton("&Cancelar", this);
  cancelar->setObjectName("btnCancelar");
  connect(processar, &QPushButton::clicked, this, [this] {
    if (btnProcessarClick) btnProcessarClick();
  });
  connect(cancelar, &QPushButton::clicked, this, [this] { reject(); });
  auto* botoes = new QHBoxLayout;
  botoes->addStretch();
  botoes->addWidget(processar);
  botoes->addWidget(cancelar);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(titulo);
  layout->addWidget(instrucao);
  layout->addLayout(listas);
  layout->addStretch();
  layout->addLayout(botoes);
  resize(480, 120 + 34 * static_cast<int>(regra.vagas.size()));
}

void TfrmSelecaoExamesView::reject() {
  if (btnCancelarClick) {
    btnCancelarClick();
  } else {
    QDialog::reject();
  }
}

}  // namespace multimapas
