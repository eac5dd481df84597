// demo-calibration --rings N --out PATH/Coef.txt: writes the calibration of the simulated
// camera (four reference spheres rendered, processed and fitted ring by ring).
#include <cstdio>
#include <exception>
#include <string>

#include "SimulatedCalibration.h"

int main(int argc, char** argv) {
  int rings = 0;
  std::string out;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string flag = argv[i];
    if (flag == "--rings") rings = std::atoi(argv[i + 1]);
    if (flag == "--out") out = argv[i + 1];
  }
  if ((rings != 16 && rings != 32) || out.empty() || argc != 5) {
    std::fprintf(stderr, "usage: demo-calibration --rings 16|32 --out PATH/Coef.txt\n");
    return 2;
  }
  try {
    zv::WriteSimulatedCalibration(out, rings);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "demo-calibration: %s\n", e.what());
    return 1;
  }
  return 0;
}
