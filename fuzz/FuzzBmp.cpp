// Bitmaps as the modules, the batch tool and the host read them; a picture that is accepted is
// read whole into the detector's image.
#include "BmpImage.h"
#include "DetectorImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QImage image = zv::LoadBmp({reinterpret_cast<const char*>(data), size});
  if (!image.isNull() && image.width() <= 2000 && image.height() <= 2000) {
    const vessik::ImagemRGB pixels = zv::DetectorImage(image);
    volatile uint32_t soma = 0;
    for (int y = 0; y < pixels.Altura(); ++y)
      for (int x = 0; x < pixels.Largura(); ++x) soma = soma + pixels.Cor(x, y);
  }
  return 0;
}
