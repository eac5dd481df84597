// Zernike analysis of the corneal height: the cornea's height above its best-fit sphere over a
// pupil, decomposed into Zernike polynomials in the OSA/ANSI single index j (n = radial order,
// m = angular frequency, j = (n (n + 2) + m) / 2), normalised so that each term's coefficient
// is its RMS over the pupil, up to the 6th order.
//
// Height is measured towards the observer: a point of the cornea in front of the sphere is
// positive.  A prolate cornea (flattening towards its edge, Q < 0) therefore stands in front of
// its sphere at the centre and the edge and shows a positive primary spherical term (j = 12).
#pragma once
#include <string>
#include <vector>

#include "Elevacao.h"
#include "MapaCurvatura.h"

namespace aberrometria {

inline constexpr int kOrdemMaxima = 6;
inline constexpr int kTermos = (kOrdemMaxima + 1) * (kOrdemMaxima + 2) / 2;  // 28
inline constexpr int kPrimeiroAltaOrdem = 6;                                 // j of Z(3, -3)

struct OrdemFrequencia {
  int n, m;
};
OrdemFrequencia IndiceOSA(int j);

// The polynomial j at (rho, theta), rho in 0..1, theta in radians counter-clockwise.
double Zernike(int j, double rho, double theta);

// The clinical name of the term ("Aberração esférica"), or "Z(n,m)" beyond the 4th order.
std::string NomeDoTermo(int j);

struct AnaliseZernike {
  bool valida = false;
  double raioPupilaMm = 0;
  double raioEsferaMm = 0;           // the best-fit sphere
  std::vector<double> coeficientes;  // kTermos values, micrometres
  double rmsAltaOrdem = 0;           // orders 3 to 6, micrometres
  double rmsTotal = 0;               // every order above piston, tilt and defocus included
  // The higher orders alone at a point of the pupil (rho 0..1), micrometres.
  double AltaOrdem(double rho, double theta) const;
};

// The analysis over a pupil of radius `raioPupilaMm`, or over the largest zone the sag covers
// when that is smaller.  Not valid when the sag covers less than 1 mm of radius.  It reads the
// sag at the grid's whole pixels: the sphere is fitted to the sag itself, the terms (up to the
// 10th order, of which the 6 first orders are kept) to the rise of the height between
// neighbouring pixels of each meridian.
AnaliseZernike AnalisaSagitta(const mapas::GradePotencia& sagitta, double raioPupilaMm);

}  // namespace aberrometria
