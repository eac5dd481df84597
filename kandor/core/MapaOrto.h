// Map computation of the orthokeratology module, free of any window toolkit: the colour scale,
// the interpolation of one image's ring tables into a power grid, the colouring of the map
// picture from that grid, and the statistics shown beside the maps.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "UBConstantes.h"

namespace kandor {

constexpr int kMeridianos = 360;
constexpr int kRaioMaximoGrade = 300;  // the grid holds radii 0..300 pixels of the captured image
constexpr int kNiveis = 25;
constexpr int kMaxAneis = 32;

// One picture pixel covers 1 / 0.43 captured-image pixels.
constexpr double kEscalaMapa = 0.43;
// The painted disc stops this many captured-image pixels inside the outermost ring.
constexpr int kMargemBorda = 11;
// Map picture of the window: round(640 x 0.43) x round(480 x 0.43), map centre (145, 109).
constexpr int kLarguraFigura = 275;
constexpr int kAlturaFigura = 206;
constexpr int kCentroX = 145;
constexpr int kCentroY = 109;

struct CorRGB {
  uint8_t r = 0, g = 0, b = 0;
  // Opaque 0xAARRGGBB, the pixel layout of QImage::Format_RGB32.
  uint32_t Argb() const { return 0xFF000000u | (uint32_t(r) << 16) | (uint32_t(g) << 8) | b; }
  bool operator==(const CorRGB&) const = default;
};

// The 25-level scale: element k is level k + 1.  LimitesDioptrias[k] = 30 + k dioptres and
// LimitesMm[k] the radius of curvature of that power (337.5 / power).
struct EscalaCores {
  std::array<CorRGB, kNiveis> Cores{};
  std::array<double, kNiveis> LimitesDioptrias{};
  std::array<double, kNiveis> LimitesMm{};
};

EscalaCores PreparaEscala();

// Level 1..25 of a power: 1 below 31 D, 25 from 54 D, otherwise the whole part minus 29.
// A value on a bound belongs to the higher level; a value that is not a number gets level 1.
int NivelDe(double dioptrias);
CorRGB NivelCor(const EscalaCores& escala, double dioptrias);

// Power grid of one image: meridian 1..360 by radius 0..300 captured-image pixels, in dioptres
// rounded to 0.01.  Cells the interpolation does not reach hold 0.  A meridian whose tables
// cannot be interpolated (radii not strictly increasing, values that are not numbers, a ring
// count outside 2..32) is marked invalid and is never painted.
class GradeMapa {
 public:
  GradeMapa();
  void Limpa();
  double Valor(int meridiano, int raio) const { return valores_[Indice(meridiano, raio)]; }
  void DefineValor(int meridiano, int raio, double v) { valores_[Indice(meridiano, raio)] = v; }
  bool MeridianoValido(int meridiano) const { return validos_[meridiano - 1]; }
  void DefineValido(int meridiano, bool valido) { validos_[meridiano - 1] = valido; }

 private:
  static size_t Indice(int meridiano, int raio) {
    return size_t(meridiano - 1) * (kRaioMaximoGrade + 1) + size_t(raio);
  }
  std::vector<double> valores_;
  std::array<bool, kMeridianos> validos_{};
};

// Ring counts of one map, every meridian set to the exam's ring count.
void AneisUniformes(TMatrizAng& aneis, int numAneis);

// Interpolates one image into its grid: per meridian a cubic spline through rings 0..n-1
// with the first and last secant slopes as end slopes, evaluated every `passo` pixels from
// ring 0 up to (not including) the outermost ring n.
void PreencheGrade(GradeMapa& grade, const TMatrizAngAnel& dioptrias, const TMatrizAngAnel& pixels,
                   double passo, const TMatrizAng& aneis);

// An ARGB picture (Format_RGB32 layout), row by row.
struct QuadroPixels {
  QuadroPixels(int l, int a, uint32_t fundo = 0xFF000000u)
      : largura(l), altura(a), pixels(size_t(l) * size_t(a), fundo) {}
  uint32_t& Em(int x, int y) { return pixels[size_t(y) * size_t(largura) + size_t(x)]; }
  uint32_t Em(int x, int y) const { return pixels[size_t(y) * size_t(largura) + size_t(x)]; }
  int largura, altura;
  std::vector<uint32_t> pixels;
};

// Meridian 1..360 of picture pixel (x, y) around (cx, cy), clockwise on the screen from the
// right-hand horizontal (rows grow downwards): right 360, below 90, left 180, above 270.
int MeridianoDoPixel(int x, int y, int cx, int cy);

// Colours the map picture from the grid: picture pixel (x + 1, y + 1) for every (x, y) with
// 0 <= x <= largura and 0 <= y <= altura whose captured-image radius round(d / 0.43) lies
// inside the outermost ring of its meridian less the border margin.  Other pixels are left.
void DesenhaMapa(const GradeMapa& grade, int largura, int altura, const TMatrizAng& aneis,
                 const TMatrizAngAnel& pixels, const EscalaCores& escala, QuadroPixels& figura,
                 int centroY, int centroX);

// Element 4 (the fifth) := mean of elements 0..3, rounded to four decimals.
void MediaValores(std::array<double, 5>& sag, std::array<double, 5>& div,
                  std::array<double, 5>& r0);
double MediaDeQuatro(const std::array<double, 5>& valores);
// Sample standard deviation of elements 0..3 around element 4, rounded to four decimals.
double DesvioPadrao(const std::array<double, 5>& valores);

// Device name shown in the window header; nothing for an unknown model.
std::optional<std::string> NomeModelo(int modelo);

// Whole part of the radius of meridian m's outermost ring (the paint limit before the margin).
int LimiteMeridiano(const TMatrizAngAnel& pixels, const TMatrizAng& aneis, int meridiano);

}  // namespace kandor
