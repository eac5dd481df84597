// The detector's picture of a captured image: its 32-bit pixels as they are, cut to the
// detector's 640 x 480 at most.
#pragma once
#include <QImage>

#include "FonteImagem.h"

namespace zv {

vessik::ImagemRGB DetectorImage(const QImage& image);

}  // namespace zv
