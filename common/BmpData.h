// Whether a BMP file holds every pixel its header announces.  The toolkit's reader fills what
// it finds and leaves the rest of the picture as uninitialised memory, so a file cut short, a
// run-length stream that ends or skips early, or a pixel offset past the end must be refused
// before the picture is read.
#pragma once
#include <string_view>

namespace zv {

// True when `bytes` is a BMP (core or info header, 1 to 32 bits per pixel, uncompressed,
// bit fields or run-length encoded) whose palette and pixel data are all present and whose
// run-length data, if any, writes every pixel.  False for anything else.
bool BmpPixelDataComplete(std::string_view bytes);

}  // namespace zv
