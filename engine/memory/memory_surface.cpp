#include "engine/memory/memory_surface.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace tessalander {

namespace {

// Counted in 64 bits: at 32 bits the product of two sides can wrap past
// SIZE_MAX and give a buffer smaller than the surface. More pixels than a
// buffer can hold fail as the buffer itself fails when the count does fit.
size_t PixelCount(int32_t width, int32_t height) {
  const uint64_t count = uint64_t{static_cast<uint32_t>(width)} * static_cast<uint32_t>(height);
  if (count > std::vector<uint32_t>().max_size()) {
    throw std::length_error("MemorySurface: more pixels than a buffer holds");
  }
  return static_cast<size_t>(count);
}

}  // namespace

MemorySurface::MemorySurface(int32_t width, int32_t height, uint32_t colour)
    : Width(std::max(width, 0)),
      Height(std::max(height, 0)),
      Pixels(PixelCount(Width, Height), colour) {}

namespace {

// Shrinks [start, start + length) to [0, limit), moving the other side's
// start by as much as this one's moved. Works in 64 bits so that no
// combination of coordinates overflows.
void ClipSpan(int64_t& start, int64_t& other, int64_t& length, int64_t limit) {
  if (start < 0) {
    length += start;
    other -= start;
    start = 0;
  }
  if (start + length > limit) length = limit - start;
}

}  // namespace

void CopyPixels(MemorySurface& dest, int32_t x, int32_t y, int32_t width, int32_t height,
                const MemorySurface& source, int32_t sourceX, int32_t sourceY) {
  int64_t dx = int64_t{x} - dest.OriginX, dy = int64_t{y} - dest.OriginY;
  int64_t sx = int64_t{sourceX} - source.OriginX, sy = int64_t{sourceY} - source.OriginY;
  int64_t w = width, h = height;
  ClipSpan(dx, sx, w, dest.Width);
  ClipSpan(sx, dx, w, source.Width);
  ClipSpan(dy, sy, h, dest.Height);
  ClipSpan(sy, dy, h, source.Height);
  if (w <= 0 || h <= 0) return;

  const size_t rowBytes = static_cast<size_t>(w) * sizeof(uint32_t);
  auto copyRow = [&](int64_t row) {
    std::memmove(&dest.At(static_cast<int32_t>(dx), static_cast<int32_t>(dy + row)),
                 &source.At(static_cast<int32_t>(sx), static_cast<int32_t>(sy + row)), rowBytes);
  };
  // Within one image, rows are taken in the order that reads every source row
  // before it is overwritten; memmove does the same inside a row.
  if (&dest == &source && dy > sy) {
    for (int64_t row = h - 1; row >= 0; --row) copyRow(row);
  } else {
    for (int64_t row = 0; row < h; ++row) copyRow(row);
  }
}

void FillPixels(MemorySurface& surface, int32_t x, int32_t y, int32_t width, int32_t height,
                uint32_t colour) {
  int64_t fx = int64_t{x} - surface.OriginX, fy = int64_t{y} - surface.OriginY;
  int64_t w = width, h = height, unused = 0;
  ClipSpan(fx, unused, w, surface.Width);
  ClipSpan(fy, unused, h, surface.Height);
  if (w <= 0 || h <= 0) return;
  for (int64_t row = 0; row < h; ++row) {
    uint32_t* start = &surface.At(static_cast<int32_t>(fx), static_cast<int32_t>(fy + row));
    std::fill(start, start + w, colour);
  }
}

}  // namespace tessalander
