#include "FonteImagem.h"

#include <cmath>

namespace vessik {

ImagemRGB::ImagemRGB(int largura, int altura)
    : largura_(largura < 0 ? 0 : largura),
      altura_(altura < 0 ? 0 : altura),
      pixels_(static_cast<std::size_t>(largura_) * altura_, 0xFF000000u) {}

ImagemRGB ImagemRGB::DeCinza(int largura, int altura, const std::vector<uint8_t>& cinza) {
  ImagemRGB img(largura, altura);
  for (size_t i = 0; i < img.pixels_.size() && i < cinza.size(); ++i) {
    const uint32_t g = cinza[i];
    img.pixels_[i] = 0xFF000000u | (g << 16) | (g << 8) | g;
  }
  return img;
}

uint32_t ImagemRGB::Cor(int x, int y) const {
  const uint32_t argb = Argb(x, y);
  const uint32_t r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
  return r + 256u * g + 65536u * b;
}

double NivelCinza(uint32_t w) {
  return (static_cast<double>(w % 256) + static_cast<double>(w % 65536) / 256.0 +
          static_cast<double>(w % 16777216) / 65536.0) /
         3.0;
}

int NivelCinzaInteiro(uint32_t w) {
  return static_cast<int>(std::floor(NivelCinza(w)));
}

}  // namespace vessik
