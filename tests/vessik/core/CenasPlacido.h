// Simulated camera pictures for the whole-chain tests: corneas rendered by the Placido
// simulator, and a calibration made on the four reference spheres as the calibration window
// makes it (per-ring least-squares line written as "Coef.txt").
#pragma once
#include <array>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "DetectorImage.h"
#include "Dialogs.h"
#include "PlacidoRenderer.h"
#include "ProcessingSession.h"
#include "RingCalibration.h"
#include "TextFile.h"

namespace vessik::test {

inline ImagemRGB Renderiza(const placido::Cornea& cornea, int aneis, double ruido = 0) {
  placido::Scene cena;
  cena.noiseSigma = ruido;
  cena.cornea = cornea;
  cena.rings = aneis;
  cena.supersample = 3;
  return zv::DetectorImage(placido::Render(cena));
}

inline placido::Cornea Esfera(double raioMm) {
  placido::Cornea c;
  c.kind = placido::SurfaceKind::Sphere;
  c.apicalRadiusMm = raioMm;
  return c;
}

inline placido::Cornea Torica(double curvoMm, double planoMm, double eixoCurvoGraus) {
  placido::Cornea c;
  c.kind = placido::SurfaceKind::Toric;
  c.steepRadiusMm = curvoMm;
  c.flatRadiusMm = planoMm;
  c.steepAxisDeg = eixoCurvoGraus;
  return c;
}

// Scan start between the fixation reflex and the first ring edge of each target.
inline int InicioVarredura(int aneis) {
  return aneis == 16 ? 14 : 8;
}

// The row of the ring tables whose ray runs along a meridian given anticlockwise in the picture
// (0 = right, 90 = up), folded into 0..180: rays go clockwise on screen (image rows grow
// downwards) and row m holds the ray at m + 1 degrees.
inline double LinhaDoMeridiano(double grausImagem) {
  double m = std::fmod(360.0 - grausImagem - 1.0, 180.0);
  return m < 0 ? m + 180 : m;
}

// Writes "Coef.txt" from the mean ring radii of the four reference spheres, each processed and
// completed as the finishing does.
inline void Calibra(const std::string& arquivo, int aneis, zv::Dialogs& dialogs) {
  const std::array<double, 4> esferas = {7.73, 8.05, 8.34, 8.91};
  std::array<std::vector<double>, 4> rho;
  for (int e = 0; e < 4; ++e) {
    auto s =
        std::make_unique<ProcessingSession>(aneis, placido::MillimetresPerPixel(), "", dialogs);
    s->ProcessaAneis(Renderiza(Esfera(esferas[e]), aneis), 320, 240, InicioVarredura(aneis));
    s->Interpolar();
    rho[e] = s->RaiosMedios();
  }
  zv::WriteTextLines(arquivo, zv::CoefLines(zv::FitRingCalibration(esferas, rho, aneis), aneis));
}

}  // namespace vessik::test
