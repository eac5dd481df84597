// Reading the system's bitmaps (captured images, module pictures) into toolkit images, refusing
// files whose pixel data is incomplete.  For targets that use Qt Gui.
#pragma once
#include <QImage>
#include <string>
#include <string_view>

#include "BmpData.h"
#include "Errors.h"
#include "TextFile.h"

namespace zv {

// The picture of a BMP held in memory; a null image when it is no BMP or is incomplete.
inline QImage LoadBmp(std::string_view bytes) {
  QImage image;
  if (BmpPixelDataComplete(bytes))
    image.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()),
                       "BMP");
  return image;
}

// The picture of a BMP file; a null image when the file cannot be read, is no BMP or is
// incomplete.
inline QImage LoadBmpFile(const std::string& path) {
  try {
    return LoadBmp(ReadFileBytes(path));
  } catch (const IoError&) {
    return QImage();
  }
}

}  // namespace zv
