// The toolbar picture of a map module: a bitmap beside the module file, 48 x 24 pixels, whose
// left half is the normal image and right half the highlighted image.  Magenta is the
// transparent colour.
#pragma once
#include <QImage>
#include <optional>
#include <string>

namespace zv {

struct ModulePicture {
  QImage normal;       // x 0..23
  QImage highlighted;  // x 24..47
};

// Side of each half.
inline constexpr int kModulePictureSize = 24;

// Splits the bitmap at `path` at x = 24 into two 24 x 24 halves, whatever its size (a smaller
// picture leaves the missing pixels transparent), with magenta pixels made transparent.
// Nothing when the file does not hold a complete bitmap.
std::optional<ModulePicture> LoadModulePicture(const std::string& path);

}  // namespace zv
