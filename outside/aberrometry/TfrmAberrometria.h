// The aberrometry window: the exam's header, the map of the higher-order terms over the pupil
// with its scale, the table of Zernike coefficients, the RMS of the higher orders, the
// best-fit sphere, the simulated keratometry and the clinic's data.
#pragma once
#include <QDialog>
#include <QImage>
#include <string>
#include <vector>

#include "MapaCurvatura.h"
#include "Zernike.h"

namespace aberrometria {

struct DadosAberrometria {
  std::vector<std::string> cabecalho;  // the exam-header lines
  std::vector<std::string> clinica;    // name, address, city, telephone
  AnaliseZernike analise;
  mapas::Ceratometria ceratometria;
  int lado = 350;  // side of the map picture, pixels
};

// The map of the higher orders: diverging colours, blue below and red above 0, full colour at
// the largest magnitude over the pupil; outside the pupil grey.
QImage PintaAltaOrdem(const AnaliseZernike& analise, int lado, double& extremo);

class TfrmAberrometria : public QDialog {
 public:
  TfrmAberrometria(QWidget* pai, const DadosAberrometria& dados);
};

}  // namespace aberrometria
