// The captured image as the detector sees it: a small adaptor over a pixel buffer, so that the
// numeric core depends on no toolkit image type.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vessik {

// Width and height of a captured image; larger images are not supported by the detector.
inline constexpr int kLarguraMax = 640;
inline constexpr int kAlturaMax = 480;

class FonteImagem {
 public:
  virtual ~FonteImagem() = default;
  virtual int Largura() const = 0;
  virtual int Altura() const = 0;
  // The pixel's 24-bit colour w = R + 256 G + 65536 B (red in the low byte); (x, y) inside.
  virtual uint32_t Cor(int x, int y) const = 0;
};

// An image in memory, one 0xAARRGGBB word per pixel, rows top to bottom (the layout of a
// 32-bit bitmap scan line; alpha is ignored).
class ImagemRGB : public FonteImagem {
 public:
  ImagemRGB(int largura, int altura);
  // A grey picture: each byte becomes R = G = B.
  static ImagemRGB DeCinza(int largura, int altura, const std::vector<uint8_t>& cinza);

  int Largura() const override { return largura_; }
  int Altura() const override { return altura_; }
  uint32_t Cor(int x, int y) const override;

  uint32_t& Argb(int x, int y) { return pixels_[static_cast<std::size_t>(y) * largura_ + x]; }
  uint32_t Argb(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * largura_ + x]; }
  uint32_t* Linha(int y) { return pixels_.data() + static_cast<std::size_t>(y) * largura_; }

 private:
  int largura_, altura_;
  std::vector<uint32_t> pixels_;
};

// Grey value of a colour w = R + 256 G + 65536 B, with real divisions: R/3 + G/3 + B/3 plus a
// fraction below one.  The detector uses it as is.
double NivelCinza(uint32_t w);
// The same rounded down: the value of the centre search and of the operator tools.
int NivelCinzaInteiro(uint32_t w);

}  // namespace vessik
