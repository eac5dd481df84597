#include "CabecalhoJanela.h"

namespace mapas {

QString Linha(const std::vector<std::string>& linhas, size_t i) {
  return i < linhas.size() ? QString::fromStdString(linhas[i]) : QString();
}

QLabel* Rotulo(QWidget* pai, const char* nome, const QString& texto) {
  auto* l = new QLabel(texto, pai);
  l->setObjectName(nome);
  l->setTextFormat(Qt::PlainText);
  return l;
}

QGridLayout* CabecalhoDoExame(QWidget* pai, const std::vector<std::string>& cab) {
  auto* grade = new QGridLayout;
  grade->addWidget(Rotulo(pai, "lblPaciente",
                          "Paciente: " + Linha(cab, 0) +
                              (Linha(cab, 1).isEmpty() ? "" : " (" + Linha(cab, 1) + ")")),
                   0, 0);
  grade->addWidget(Rotulo(pai, "lblOlho", Linha(cab, 3)), 0, 1);
  grade->addWidget(Rotulo(pai, "lblData", "Data: " + Linha(cab, 4) + "  " + Linha(cab, 5)), 1, 0);
  grade->addWidget(Rotulo(pai, "lblMedico", "Médico: " + Linha(cab, 6)), 1, 1);
  return grade;
}

}  // namespace mapas
