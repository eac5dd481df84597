// What the windows of the map, lens and aberrometry modules share: plain-text labels named
// after their component, and the exam's header (patient and code, eye, date and time, doctor)
// read from the exam-header lines.
#pragma once
#include <QGridLayout>
#include <QLabel>
#include <QString>
#include <string>
#include <vector>

namespace mapas {

// Line i of the header, empty when the list is shorter.
QString Linha(const std::vector<std::string>& linhas, size_t i);

// A label showing `texto` as plain text (never as markup).
QLabel* Rotulo(QWidget* pai, const char* nome, const QString& texto);

// lblPaciente "Paciente: <name> (<code>)", lblOlho, lblData "Data: <date>  <time>" and
// lblMedico "Médico: <doctor>" in two rows.
QGridLayout* CabecalhoDoExame(QWidget* pai, const std::vector<std::string>& linhas);

}  // namespace mapas
