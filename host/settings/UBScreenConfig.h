// TBScreenResolution: records the size of the screen at start; it never changes the display.
#pragma once

namespace zv {

class TBScreenResolution {
 public:
  TBScreenResolution();
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_ = 0, height_ = 0;
};

}  // namespace zv
