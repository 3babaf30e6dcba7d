#include "engine/dither.h"

#include <cstdlib>

#include "engine/palette.h"

namespace tessalander {

namespace {

int32_t Square(int32_t v) { return v * v; }

int32_t Distance(int32_t red, int32_t green, int32_t blue, uint32_t colour) {
  return Square(red - static_cast<int32_t>(colour >> 16)) +
         Square(green - static_cast<int32_t>(colour >> 8 & 0xFF)) +
         Square(blue - static_cast<int32_t>(colour & 0xFF));
}

int32_t Clamp(int32_t v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

// What a pixel wants, in sixteenths of a level, rounded to a level.
int32_t Level(int32_t sixteenths) { return Clamp((sixteenths + 8) >> 4); }

}  // namespace

uint32_t NearestPaletteColour(int32_t red, int32_t green, int32_t blue) {
  // Of the cube's, the one with each channel at its nearest level.
  auto cube = [](int32_t v) { return static_cast<uint32_t>((v + kCubeStep / 2) / kCubeStep * kCubeStep); };
  uint32_t best = cube(red) << 16 | cube(green) << 8 | cube(blue);
  int32_t bestDistance = Distance(red, green, blue, best);
  // Of the greys, the one nearest the channels' mean.
  const int32_t sum = red + green + blue;
  uint32_t grey = kSaverPalette[kFirstGreyEntry];
  int32_t greyOff = 0x7FFFFFFF;
  for (int i = kFirstGreyEntry; i < kFirstGreyEntry + kGreyEntryCount; ++i) {
    const int32_t off = 3 * static_cast<int32_t>(kSaverPalette[i] & 0xFF) - sum;
    if ((off < 0 ? -off : off) < greyOff) {
      grey = kSaverPalette[i];
      greyOff = off < 0 ? -off : off;
    }
  }
  const int32_t greyDistance = Distance(red, green, blue, grey);
  if (greyDistance < bestDistance) {
    best = grey;
    bestDistance = greyDistance;
  }
  // The static colours.
  for (int i = 0; i < kStaticColourCount; ++i) {
    const uint32_t colour = kSaverPalette[i < kStaticColourCount / 2 ? i : kSaverPaletteSize - kStaticColourCount + i];
    const int32_t d = Distance(red, green, blue, colour);
    if (d < bestDistance) {
      best = colour;
      bestDistance = d;
    }
  }
  return best;
}

PaletteDither::PaletteDither(int32_t width)
    : width_(width > 0 ? width : 0),
      here_(static_cast<int32_t*>(std::malloc(static_cast<size_t>(width_ + 2) * 3 * sizeof(int32_t)))),
      below_(static_cast<int32_t*>(std::malloc(static_cast<size_t>(width_ + 2) * 3 * sizeof(int32_t)))) {
  if (here_ == nullptr || below_ == nullptr) {
    std::free(here_);
    std::free(below_);
    here_ = below_ = nullptr;
    return;
  }
  for (int32_t i = 0; i < (width_ + 2) * 3; ++i) here_[i] = below_[i] = 0;
}

PaletteDither::~PaletteDither() {
  std::free(here_);
  std::free(below_);
}

void PaletteDither::Row(uint32_t* row) {
  if (!Ready()) return;
  for (int32_t x = 0; x < width_; ++x) {
    // This pixel's errors sit at (x + 1) * 3, its neighbours' beside them.
    int32_t* here = here_ + (x + 1) * 3;
    int32_t* below = below_ + (x + 1) * 3;
    const uint32_t pixel = row[x];
    int32_t want[3] = {static_cast<int32_t>(pixel >> 16 & 0xFF) * 16 + here[0],
                       static_cast<int32_t>(pixel >> 8 & 0xFF) * 16 + here[1],
                       static_cast<int32_t>(pixel & 0xFF) * 16 + here[2]};
    const uint32_t shown = NearestPaletteColour(Level(want[0]), Level(want[1]), Level(want[2]));
    row[x] = shown;
    const int32_t got[3] = {static_cast<int32_t>(shown >> 16), static_cast<int32_t>(shown >> 8 & 0xFF),
                            static_cast<int32_t>(shown & 0xFF)};
    for (int c = 0; c < 3; ++c) {
      // Shares that add up to the whole error whatever its sign.
      const int32_t error = want[c] - got[c] * 16;
      const int32_t right = error * 7 / 16;
      const int32_t belowLeft = error * 3 / 16;
      const int32_t belowHere = error * 5 / 16;
      here[3 + c] += right;
      below[c - 3] += belowLeft;
      below[c] += belowHere;
      below[3 + c] += error - right - belowLeft - belowHere;
    }
  }
  // The row below becomes the one being dithered, and the next starts clean.
  int32_t* done = here_;
  here_ = below_;
  below_ = done;
  for (int32_t i = 0; i < (width_ + 2) * 3; ++i) below_[i] = 0;
}

uint32_t* DitheringOutput::Row(int32_t y) {
  if (!dither_.Ready()) return nullptr;
  // Before the output is asked for the next row, which may send this one on.
  Finish();
  filled_ = output_.Row(y);
  return filled_;
}

void DitheringOutput::Finish() {
  if (filled_ != nullptr) dither_.Row(filled_);
  filled_ = nullptr;
}

}  // namespace tessalander
