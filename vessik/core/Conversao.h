// Calibrated conversion of ring radii into corneal powers: the coefficient file, the power
// table and its smoothing, the radial power profile of every meridian, and the sagitta over
// the flattest meridian.
#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "TabelaAneis.h"

namespace zv {
class Dialogs;
}

namespace vessik {

// Keratometric constant: power in dioptres = 337.5 / radius of curvature in millimetres.
inline constexpr double kConstanteCeratometrica = 337.5;
// Chord of the sagitta, in millimetres.
inline constexpr double kCordaSAG = 9.35;
inline constexpr int kPassosPerfil = 301;  // profile cells 0..300 pixels

// Per ring j = 1..32: radius of curvature a[j] + b[j] * radius in pixels, in millimetres.
struct Coeficientes {
  std::array<double, kColunas> a{}, b{};
  int pares = 0;
};

// Coefficients are below this in magnitude: a radius of curvature of a metre, or a metre per
// pixel, is no calibration of this instrument.
inline constexpr double kLimiteCoeficiente = 1000;

// Reads "Coef.txt": pairs of lines (intercept, slope) for rings 1, 2, ...; each line with a
// point or, failing that, commas as decimal separator.  More pairs than `numAneis` is refused
// with the operator's message and gives nothing.  A file that cannot be read throws
// zv::IoError; a line that is not a number, or not below kLimiteCoeficiente in magnitude,
// throws zv::ConvertError naming the line.
std::optional<Coeficientes> LeCoeficientes(const std::string& arquivo, int numAneis,
                                           zv::Dialogs& dialogs);

// Converts rows 1..360, rings 1..contagem into `potencias` (cleared first, columns 0..N).
// A ring whose radius of curvature is 0 cannot be converted: the operator is told which ring
// and the conversion stops there.  Returns false in that case.
bool ConverteAneis(const TabelaAneis& raios, const ContagemAneis& contagens,
                   const Coeficientes& coef, int numAneis, TabelaAneis& potencias,
                   zv::Dialogs& dialogs);

// Column 0 := mean power of ring 1; then smoothing along every row and across angles.
void SuavizaPotencias(const TabelaAneis& raios, const ContagemAneis& contagens, int numAneis,
                      TabelaAneis& potencias);

// A value written with two decimals ("0.00", "00.00") and read back.
double DuasCasas(double v);

// Replaces every value of columns 0..N by its two-decimal text read back.
void ArredondaDuasCasas(TabelaAneis& t, int numAneis);

// One cell of the radial power profile: K in dioptres and its radius of curvature.
struct CelulaPerfil {
  double reservado1 = 0, k = 0, raio = 0, reservado2 = 0;
};
using TabelaPerfil = std::vector<CelulaPerfil>;  // kAngulos * kPassosPerfil, angle-major
inline CelulaPerfil& Celula(TabelaPerfil& t, int angulo, int passo) {
  return t[static_cast<std::size_t>(angulo - 1) * kPassosPerfil + passo];
}

// Resamples every meridian into powers at whole pixels 0, 1, 2, ... through a cubic spline on
// the centre point and the rings but the last.  A degenerate meridian ends the build, leaving
// the cells not yet reached at zero.
void MontaPerfil(const TabelaAneis& raios, const TabelaAneis& potencias,
                 const ContagemAneis& contagens, TabelaPerfil& perfil);

// Sagitta over a 9.35 mm chord on the flattest meridian, from the profile cells within
// 4.675 mm of the centre.  An angle without a positive power in that zone contributes nothing
// to its meridian (the opposite angle alone gives the meridian's power); a meridian with
// neither is left out.  No value (nothing measured on the meridian needed, or a radius below
// half the chord) gives nullopt.
std::optional<double> CalculaSAG(const TabelaPerfil& perfil, double fatorCorrecao);

}  // namespace vessik
