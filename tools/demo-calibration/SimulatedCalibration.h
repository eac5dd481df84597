// A calibration of the simulated camera: the four reference spheres rendered by the Placido
// simulator, their rings processed as the review window does, and the per-ring fit written as
// "Coef.txt".  It stands in for the calibration window on the demo installation and in tools.
#pragma once
#include <string>
#include <vector>

namespace zv {

// The detector's scan start for the simulated camera's target of `rings` rings: the 16-ring
// target leaves a larger dark centre.
int SimulatedScanStart(int rings);

// The mean radius in pixels of rings 1..rings of a sphere of `radiusMm` on the simulated
// camera: what the processing module measures on a calibration sphere.
std::vector<double> SimulatedSphereRings(double radiusMm, int rings);

// Writes `coefFile` for `rings` (16 or 32) rings.  Throws on failure.
void WriteSimulatedCalibration(const std::string& coefFile, int rings);

}  // namespace zv
