// Dithering a picture to the saver's palette (palette.h), by error
// diffusion (Floyd and Steinberg's): row by row from the top, each pixel
// becomes the palette's colour nearest to it plus what its neighbours above
// and to the left fell short by, and passes on what it falls short by in
// turn, 7/16 to the right, 3/16, 5/16 and 1/16 below. Integers only, so that
// both builds of the .scr and the renderer give the same pixels. Every pixel
// that comes out is one of the palette's colours, which GDI's nearest-colour
// mapping then finds exactly; a flat area of one of them stays itself.
#pragma once

#include <cstdint>

#include "engine/picture_scaler.h"

namespace tessalander {

// The palette's colour nearest to (red, green, blue), each 0 to 255, by the
// sum of the squares of the channels' differences; of equally near ones, the
// cube's first, then the greys', then the static colours in the palette's
// order.
uint32_t NearestPaletteColour(int32_t red, int32_t green, int32_t blue);

// The dither of one picture, whose rows it is given in order from the top.
class PaletteDither {
 public:
  explicit PaletteDither(int32_t width);
  ~PaletteDither();
  PaletteDither(const PaletteDither&) = delete;
  PaletteDither& operator=(const PaletteDither&) = delete;

  // False when the error rows could not be had.
  bool Ready() const { return below_ != nullptr; }
  // The next row, pixels 0x00RRGGBB (the top byte is ignored), in place.
  void Row(uint32_t* row);

 private:
  int32_t width_;
  // Per channel, in sixteenths of a level, for pixels -1 to width: what the
  // row being dithered and the row below it have been passed.
  int32_t* here_;
  int32_t* below_;
};

// The scaler's rows dithered on their way to `output`: each once the scaler
// has filled it, when it asks for the next, and the last by Finish.
class DitheringOutput final : public ScalerOutput {
 public:
  DitheringOutput(ScalerOutput& output, int32_t width) : output_(output), dither_(width) {}
  bool Ready() const { return dither_.Ready(); }
  uint32_t* Row(int32_t y) override;
  void Finish();

 private:
  ScalerOutput& output_;
  PaletteDither dither_;
  uint32_t* filled_ = nullptr;
};

}  // namespace tessalander
