// Curvature maps of one exam, free of any window toolkit: the power grid of the axial map (the
// dioptre table as converted) or of the tangential map (computed from the ring profile), the
// simulated keratometry of the 3 mm zone, the indices the report reads, and the colour scales.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "TabelaAneis.h"
#include "UBConstantes.h"

namespace mapas {

enum class TipoMapa { Axial, Tangencial };

inline constexpr int kMeridianos = 360;
inline constexpr int kRaioMaximoPx = 300;  // the grid covers image radii 0..300 pixels
inline constexpr double kConstanteCeratometrica = 337.5;
// Scale of the simulated camera, used when the device's correction factor is not usable.
inline constexpr double kFatorPadrao = 0.024;

// Millimetres per image pixel: the device's correction factor, or the default one when that is
// missing or out of any plausible range.
double MilimetrosPorPixel(double fatorCorrecao);

// Clinical angle (0..359, counter-clockwise from the right of the image as the operator sees
// it) of the ray the detector sampled for table meridian m (1..360): that ray runs clockwise on
// the screen from the right, one degree past the meridian's number.
double AnguloClinico(int meridiano);
// The table meridian (1..360) whose ray lies nearest the clinical angle `graus`.
int MeridianoDoAngulo(double graus);

// Power per meridian (1..360) and image radius (0..300 pixels); not a number where the exam's
// rings do not reach or its tables hold nothing usable.
class GradePotencia {
 public:
  GradePotencia();
  double Valor(int meridiano, int raioPx) const {
    return valores_[static_cast<size_t>(meridiano - 1) * (kRaioMaximoPx + 1) + raioPx];
  }
  void Define(int meridiano, int raioPx, double v) {
    valores_[static_cast<size_t>(meridiano - 1) * (kRaioMaximoPx + 1) + raioPx] = v;
  }
  // The value at a real radius (linear between whole pixels); not a number outside.
  double Em(int meridiano, double raioPx) const;
  // Meridian (1..360) whose ray lies nearest a screen direction in degrees, clockwise from the
  // right.
  static int MeridianoDaDirecao(double graus);
  bool Vazia() const;
  double Minimo() const;
  double Maximo() const;
  double mmPorPixel = kFatorPadrao;

 private:
  std::vector<double> valores_;
};

// Builds the grid of the map kind from the exam's tables.  On each meridian the rings are taken
// from ring 1 up to its ring count (at most `numAneis`, 0..32), stopping at the first ring whose
// radius is not larger than the previous one's or whose values are not plausible numbers; the
// centre value (column 0) starts the profile, and the axial power between rings is linear in
// the radius.  The tangential power follows from the axial one: with the axial curvature
// k(r) = P / 337.5 the tangential curvature is d(r k) / dr = k + r dk/dr; the slope is that of a
// least-squares parabola over 0.35 mm on each side, on the axial power averaged over the
// meridians 3 degrees to either side.
GradePotencia CalculaGrade(TipoMapa tipo, const TMatrizAngAnel& pixels, const TMatrizAng& aneis,
                           const TMatrizAngAnel& dioptrias, int numAneis, double mmPorPixel);

// Simulated keratometry: the mean power of each meridian over the 3 mm zone (radii 1.25 to
// 1.75 mm), fitted with a + b cos 2t + c sin 2t over the clinical angle t, which gives two
// orthogonal principal meridians.  Axes in whole degrees 1..180.
struct Ceratometria {
  bool valida = false;
  double kCurvo = 0, kPlano = 0, astigmatismo = 0;
  double eixoCurvo = 0, eixoPlano = 0;
};
Ceratometria CalculaCeratometria(const GradePotencia& grade);

// The report's indices: 0 steep K, 1 flat K, 4 astigmatism, 6 steep axis, 7 flat axis, 8 the
// largest power of the map; every other slot 0 (all 0 without a valid keratometry).
void PreencheIndices(const Ceratometria& k, const GradePotencia& grade, TIndicesMapa& indices);

struct Cor {
  uint8_t r, g, b;
};

// A colour scale: level i covers [inicio + i passo, inicio + (i + 1) passo); powers below the
// first level take its colour, powers above the last the last colour.
struct Escala {
  double inicio = 0, passo = 1;
  std::vector<Cor> cores;
  int Niveis() const { return static_cast<int>(cores.size()); }
  int Nivel(double potencia) const;
  Cor CorDe(double potencia) const { return cores[static_cast<size_t>(Nivel(potencia))]; }
};

inline constexpr std::array<double, 4> kPassos = {0.25, 0.5, 1.0, 1.5};

// The absolute scale: 26 levels of the step around 44 D, the same for every exam.
Escala EscalaAbsoluta(double passo);
// The normalised scale: levels of the step from the map's minimum to its maximum (at most 26).
Escala EscalaNormalizada(double minimo, double maximo, double passo);

}  // namespace mapas
