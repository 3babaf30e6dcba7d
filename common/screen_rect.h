// Points and rectangles on the screen, in pixels. Rectangles include their
// left and top edges and exclude their right and bottom ones, as Win32's do.
#pragma once

#include <cstdint>

namespace tessalander {

struct ScreenPoint {
  int32_t x = 0;
  int32_t y = 0;
};

struct ScreenRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

}  // namespace tessalander
