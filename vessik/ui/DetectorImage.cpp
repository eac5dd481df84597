#include "DetectorImage.h"

#include <algorithm>

namespace zv {

vessik::ImagemRGB DetectorImage(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  const int width = std::min(rgb.width(), vessik::kLarguraMax);
  const int height = std::min(rgb.height(), vessik::kAlturaMax);
  vessik::ImagemRGB out(width, height);
  for (int y = 0; y < height; ++y) {
    const auto* line = reinterpret_cast<const uint32_t*>(rgb.constScanLine(y));
    std::copy(line, line + width, out.Linha(y));
  }
  return out;
}

}  // namespace zv
