#include "SimulatedCalibration.h"

#include <array>
#include <optional>

#include "DetectorImage.h"
#include "PlacidoRenderer.h"
#include "ProcessingSession.h"
#include "RingCalibration.h"
#include "TextFile.h"
#include "UnattendedDialogs.h"

namespace zv {

int SimulatedScanStart(int rings) {
  return rings == 16 ? 14 : 8;
}

std::vector<double> SimulatedSphereRings(double radiusMm, int rings) {
  const int scanStart = SimulatedScanStart(rings);
  UnattendedDialogs dialogs;
  placido::Scene scene;
  scene.cornea.apicalRadiusMm = radiusMm;
  scene.rings = rings;
  vessik::ProcessingSession session(rings, placido::MillimetresPerPixel(), "", dialogs);
  session.ProcessaAneis(DetectorImage(placido::Render(scene)), 320, 240, scanStart);
  session.Interpolar();
  return session.RaiosMedios();
}

void WriteSimulatedCalibration(const std::string& coefFile, int rings) {
  const std::array<double, 4> spheres = {7.73, 8.05, 8.34, 8.91};
  std::array<std::vector<double>, 4> rho;
  for (int s = 0; s < 4; ++s) rho[s] = SimulatedSphereRings(spheres[s], rings);
  WriteTextLines(coefFile, CoefLines(FitRingCalibration(spheres, rho, rings), rings));
}

}  // namespace zv
