// The pictures of the calibration window, drawn by code: the calibrator with its four spheres
// (the current one highlighted, a green mark on each sphere already done) and the frames of
// the turret turning from one sphere to the next, kept as animation files that play once.
#pragma once
#include <QImage>
#include <QPoint>
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace zv {

enum TipoCalibrador { kCalibrador1 = 0, kCalibrador2 = 1 };

// Size of the calibrator picture.
inline constexpr int kLarguraCalibrador = 340, kAlturaCalibrador = 210;
// Size of the turret animation frames.
inline constexpr int kLadoAnimacao = 170;

struct EstadoDesenho {
  int tipo = kCalibrador2;
  int atual = 1;  // 1..4 highlighted, 5 none
  std::array<bool, 4> feitas{};
  bool esferasVisiveis = true;
};

QImage DesenhaCalibrador(const EstadoDesenho& estado);
// Centre of sphere 1..4 on the calibrator picture, and where its done mark is drawn.
QPoint CentroEsfera(int tipo, int esfera);
QPoint CentroMarca(int tipo, int esfera);
// The colour of a done mark.
QRgb CorMarca();

// An animation: frames shown one after the other, once.
struct Animacao {
  int intervaloMs = 40;
  std::vector<QImage> quadros;
};

// The turret seen from above, turning from sphere `de` in front of the camera to sphere `para`.
Animacao AnimacaoTorre(int de, int para);
// File form: "ZVANIM1" and a NUL, the interval and the frame count (little-endian 32-bit),
// then per frame its byte count and a PNG.  Written through the atomic file helper.
void GravaAnimacao(const std::string& path, const Animacao& animacao);
// Nothing when the file is missing or is no animation.
std::optional<Animacao> LeAnimacao(const std::string& path);

// The six turret animation files, by name, with the spheres they turn between.
struct ArquivoAnimacao {
  const char* nome;
  int de, para;
};
inline constexpr std::array<ArquivoAnimacao, 6> kAnimacoesTorre = {{{"cbr_mov1.dat", 1, 2},
                                                                    {"cbr_mov2.dat", 2, 3},
                                                                    {"cbr_mov3.dat", 3, 4},
                                                                    {"cbr_mov1_ant.dat", 2, 1},
                                                                    {"cbr_mov2_ant.dat", 3, 2},
                                                                    {"cbr_mov3_ant.dat", 4, 3}}};
// Writes the six files into `dir` (created when missing).
void GravaAnimacoesTorre(const std::string& dir);

}  // namespace zv
