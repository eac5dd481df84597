// The contact-lens window: the exam's axial map with its simulated keratometry, the suggested
// rigid lens (base curve, diameter, eccentricity of the flat meridian) and the simulated
// fluorescein pattern of the chosen lens, whose base curve moves in steps of 0.05 mm.
#pragma once
#include <QDialog>
#include <string>
#include <vector>

#include "AdaptacaoLente.h"
#include "MapaCurvatura.h"

class QDoubleSpinBox;
class QLabel;

namespace lente {

struct DadosLente {
  std::vector<std::string> cabecalho;  // the exam-header lines
  mapas::GradePotencia axial, sagitta;
  mapas::Ceratometria ceratometria;
  Sugestao sugestao;
};

// The fluorescein picture: the tear layer in green, brighter where it is thicker (full green
// from 60 um), dark where the lens touches; the lens edge drawn, the cornea outside it grey.
QImage PintaFluoresceina(const Fluoresceina& f, double diametroMm, int lado);

class TfrmLente : public QDialog {
 public:
  TfrmLente(QWidget* pai, DadosLente dados);

 private:
  void Atualiza();

  DadosLente dados_;
  QDoubleSpinBox* edtCurvaBase_ = nullptr;
  QDoubleSpinBox* edtDiametro_ = nullptr;
  QLabel* imgFluoresceina_ = nullptr;
  QLabel* lblLenteLacrimal_ = nullptr;
  QLabel* lblApical_ = nullptr;
  QLabel* lblBorda_ = nullptr;
};

}  // namespace lente
