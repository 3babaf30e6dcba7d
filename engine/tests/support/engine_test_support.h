// Shared helpers for the engine's tests: pictures as BMP bytes, pixel
// comparisons and a saver driven to a chosen moment.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "engine/solve_animation.h"
#include "engine/memory/image_files.h"
#include "tools/memory_saver.h"

namespace tessalander {

inline std::vector<uint8_t> PatternBmp(int32_t width, int32_t height, uint32_t salt = 0) {
  return EncodeBmp(MakeTestPattern(width, height, salt));
}

// Pixels of a width x height area at (x, y) that differ between two images.
inline int64_t DifferingPixels(const MemorySurface& a, const MemorySurface& b, int32_t x = 0,
                               int32_t y = 0, int32_t width = -1, int32_t height = -1) {
  if (width < 0) width = a.Width;
  if (height < 0) height = a.Height;
  int64_t count = 0;
  for (int32_t row = y; row < y + height; ++row) {
    const uint32_t* pa = &a.At(x, row);
    const uint32_t* pb = &b.At(x, row);
    if (std::memcmp(pa, pb, static_cast<size_t>(width) * sizeof(uint32_t)) == 0) continue;
    for (int32_t column = 0; column < width; ++column) count += pa[column] != pb[column];
  }
  return count;
}

// True when every pixel of the area has the colour.
inline bool IsUniform(const MemorySurface& s, int32_t x, int32_t y, int32_t width, int32_t height,
                      uint32_t colour) {
  for (int32_t row = y; row < y + height; ++row) {
    for (int32_t column = x; column < x + width; ++column) {
      if (s.At(column, row) != colour) return false;
    }
  }
  return true;
}

// A saver whose default picture is a test pattern of the screen's size.
inline void GivePicture(MemorySaver& saver, int32_t width, int32_t height, uint32_t salt = 0) {
  saver.Files[kDefaultPictureName] = PatternBmp(width, height, salt);
}

// Ticks until the shuffle has run; returns the ticks taken.
inline int64_t TickUntilShuffled(MemorySaver& saver) {
  int64_t ticks = 0;
  do {
    saver.Tick();
    ++ticks;
  } while (saver.Engine.State.PhaseCounter <= 0 && ticks < 1000);
  return ticks;
}

// Ticks until the solved frame (MoveIndex -2) has been painted; returns the
// ticks taken, or -1 when it never came within the limit.
inline int64_t TickUntilSolved(MemorySaver& saver, int64_t limit = 200000) {
  for (int64_t ticks = 1; ticks <= limit; ++ticks) {
    saver.Tick();
    if (saver.Engine.State.MoveIndex == kSolved) return ticks;
  }
  return -1;
}

}  // namespace tessalander
