// Fitting a picture to another size, one axis at a time: where an axis
// shrinks, each output pixel is the mean of the source pixels it covers, the
// ones its edges cut counted by the part they cover; where it grows, a blend
// of the two nearest source pixels (bilinear), by their distance from the
// output pixel's centre. An axis of the same size is copied. Integer
// arithmetic only, so that the 32-bit and 64-bit .scr and the renderer give
// the same pixels. The source streams through row by row, so that a large
// picture never has to sit in memory a second time.
#pragma once

#include <cstdint>

#include "engine/surface_layer.h"

namespace tessalander {

// The source's rows: 3 or 4 bytes a pixel, blue, green, red (a fourth byte is
// ignored), as in a 24- or 32-bit DIB. Rows are asked for from the top down,
// each once at most (some may be skipped); nullptr ends the scaling.
struct ScalerInput {
  virtual const uint8_t* Row(int32_t y) = 0;

 protected:
  ~ScalerInput() = default;
};

// Where the output goes: row y, asked for from the top down, each once, and
// filled with 32-bit pixels 0x00RRGGBB before the next is asked for. nullptr
// ends the scaling.
struct ScalerOutput {
  virtual uint32_t* Row(int32_t y) = 0;

 protected:
  ~ScalerOutput() = default;
};

// Scales `from` to `to`. False, with the output incomplete, when a size is
// below 1 x 1, bytesPerPixel is neither 3 nor 4, the working rows (a few
// output rows' worth) cannot be had, or the input or output gave nullptr.
bool ScalePicture(PixelSize from, int bytesPerPixel, ScalerInput& input, PixelSize to,
                  ScalerOutput& output);

}  // namespace tessalander
