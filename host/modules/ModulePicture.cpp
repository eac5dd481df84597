#include "ModulePicture.h"

#include "BmpImage.h"

namespace zv {
namespace {

// Makes the magenta pixels (RGB 255, 0, 255) transparent, as the toolbar image lists do.
QImage WithMagentaTransparent(QImage image) {
  const QRgb magenta = qRgb(255, 0, 255);
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (qAlpha(row[x]) != 0 && (row[x] & 0x00FFFFFFu) == (magenta & 0x00FFFFFFu)) row[x] = 0;
    }
  }
  return image;
}

}  // namespace

std::optional<ModulePicture> LoadModulePicture(const std::string& path) {
  QImage picture = LoadBmpFile(path);
  if (picture.isNull()) return std::nullopt;
  picture = picture.convertToFormat(QImage::Format_ARGB32);
  const int side = kModulePictureSize;
  return ModulePicture{WithMagentaTransparent(picture.copy(0, 0, side, side)),
                       WithMagentaTransparent(picture.copy(side, 0, side, side))};
}

}  // namespace zv
