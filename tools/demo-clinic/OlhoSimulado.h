// The demo's exams: model eyes photographed by the simulated camera and processed as the
// processing modules do when the operator accepts their automatic result unchanged.
#pragma once
#include <QImage>
#include <memory>
#include <string>

#include "GravacaoExame.h"
#include "ModeloOlho.h"
#include "UBConstantes.h"

namespace zv::demo {

// Model eyes: a normal conicoid (apical radius mm, asphericity Q), a toric cornea (flat and
// steep radii mm, steep axis degrees) and a keratoconus (apical radius mm, cone centre x and y
// mm with y up, cone radius and height mm) on a prolate base.
captura::ModeloOlho OlhoNormal(double raio, double q);
captura::ModeloOlho OlhoTorico(double plano, double curvo, double eixo);
captura::ModeloOlho OlhoCeratocone(double raio, double x, double y, double tamanho, double altura);

// One processed image: what the new-exam window keeps of an eye before saving it.
struct ExameSimulado {
  TMatrizAngAnel pixels{}, dioptrias{};
  TMatrizAng aneis{};
  TPupila pupila{};
  double centroX = 0, centroY = 0, indice = 0;
  QImage central, lateral;  // the central camera's picture and the side view
};

// The eye `olho` on the target of `aneis` rings (16 or 32), its rings detected around the image
// centre, cleaned and converted with the coefficient file `coef`.  Throws std::runtime_error
// when the image cannot be converted.
std::unique_ptr<ExameSimulado> Examina(const captura::ModeloOlho& olho, int aneis,
                                       const std::string& coef);

// The orthokeratology follow-up of `olho` (before the lens, then three nights), its four images
// processed together as the orthokeratology module returns them to the host, with the iris
// diameter (DIV) the operator measures on each.  Throws
// std::runtime_error when an image cannot be converted.
exam::ResultadoOrto ExaminaSerieOrto(const captura::ModeloOlho& olho, int aneis,
                                     const std::string& coef);

}  // namespace zv::demo
