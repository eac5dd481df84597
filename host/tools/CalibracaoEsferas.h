// The calibration of the ring radii against the four reference spheres: the sphere files the
// processing module measures ("1.txt".."4.txt"), the per-ring fit over them and how well the
// new coefficients give the spheres back.  No Qt, no window.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "DateFormat.h"
#include "RingCalibration.h"

namespace zv {

// Radii of the reference spheres 1..4 in millimetres.
inline constexpr std::array<double, 4> kRaiosEsferas = {7.73, 8.05, 8.34, 8.91};
// A ring whose fitted radius misses a sphere by more than this many dioptres is reported.
inline constexpr double kLimiteResiduoD = 0.05;

// The radius of sphere 1..4 as the window shows and passes it: integer part, `separador`,
// two decimals ("7.73" or "7,73").
std::string TextoRaio(int esfera, char separador);

// A sphere file: line 1 the sphere's radius in millimetres, then the ring radii in pixels of
// rings 1, 2, ...; trailing blank lines are ignored.  Numbers may use "." or ",".
struct ArquivoEsfera {
  double raio = 0;
  std::vector<double> aneis;
};
// Throws IoError when the file cannot be read and ConvertError when a line is no number or
// the file holds no radius.
ArquivoEsfera LeArquivoEsfera(const std::string& path);

// How far one sphere is from the radius the coefficients of one ring give back.
struct ResiduoEsfera {
  double raioConhecido = 0;  // millimetres, line 1 of the sphere file
  double raioCalculado = 0;  // a + b·ρ
  double residuoMm = 0;      // calculated − known
  double residuoD = 0;       // 337.5 / calculated − 337.5 / known
};
struct QualidadeAnel {
  int anel = 0;
  std::array<ResiduoEsfera, 4> esferas;
  double maiorResiduoD = 0;  // the largest |residuoD| of the four spheres
};
struct QualidadeCalibracao {
  std::vector<QualidadeAnel> aneis;  // the fitted rings, ring 1 first
  int aneisDoAparelho = 0;           // N: rings of the device
  int piorAnel = 0, piorEsfera = 0;  // 1-based
  double piorResiduoD = 0;
  bool Alerta() const { return piorResiduoD > kLimiteResiduoD; }
};

struct Calibracao {
  std::vector<RingCoefficients> coeficientes;  // fitted rings only
  QualidadeCalibracao qualidade;
};

// Reads the four sphere files of `dir` and fits, ring by ring, R = a + b·ρ over the four
// spheres; at most `aneis` rings are fitted.  Throws IoError or ConvertError when a file is
// missing or unreadable, holds no ring, holds another number of rings than sphere 1, or when a
// ring cannot be fitted (its four radii equal).
Calibracao CalibraEsferas(const std::string& dir, int aneis);

// The quality of a fit against the spheres it was made from.
QualidadeCalibracao AvaliaCalibracao(const std::array<ArquivoEsfera, 4>& esferas,
                                     const std::vector<RingCoefficients>& coeficientes, int aneis);

// The plain-text report kept beside "Coef.txt".
std::vector<std::string> RelatorioQualidade(const QualidadeCalibracao& q, const DateTime& quando);
// One line of the summary shown to the operator (worst ring, warning).
std::string ResumoQualidade(const QualidadeCalibracao& q);

}  // namespace zv
