// calib-animations DIR: writes the turret animations of the calibration window (the six
// "cbr_mov*.dat" files) into DIR, the installation's "imgs" directory.
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "DesenhoCalibrador.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: calib-animations DIR\n");
    return 2;
  }
  // Frames are drawn off screen; no display is needed.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  try {
    zv::GravaAnimacoesTorre(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "calib-animations: %s\n", e.what());
    return 1;
  }
  return 0;
}
