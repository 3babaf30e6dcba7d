#include "engine/bitmap_rows.h"

#include <cstring>

namespace tessalander {

bool ReadsRowsItself(const BitmapLayout& layout) {
  return !layout.coreHeader && (layout.compression == kBiRgb || layout.compression == kBiBitFields) &&
         layout.bitsPerPixel >= 16;
}

int ReadPixelBytes(const BitmapLayout& layout) { return layout.bitsPerPixel == 32 ? 4 : 3; }

uint64_t ReadRowBytes(const BitmapLayout& layout) {
  return (static_cast<uint64_t>(layout.width) * ReadPixelBytes(layout) + 3) / 4 * 4;
}

uint64_t ReadPictureBytes(const BitmapLayout& layout) {
  return ReadRowBytes(layout) * static_cast<uint64_t>(layout.height);
}

int32_t RowFromBottom(const BitmapLayout& layout, int32_t stored) {
  return layout.topDown ? layout.height - 1 - stored : stored;
}

namespace {

// A mask's lowest bit and how many bits it has.
struct Field {
  int shift = 0;
  int width = 0;
};

Field FieldOf(uint32_t mask) {
  Field field;
  if (mask == 0) return field;
  while ((mask >> field.shift & 1) == 0) ++field.shift;
  while (field.shift + field.width < 32 && (mask >> (field.shift + field.width) & 1) != 0) ++field.width;
  return field;
}

uint8_t Widen(uint32_t value, int width) {
  if (width == 0) return 0;
  if (width >= 8) return static_cast<uint8_t>(value >> (width - 8));
  // The field's bits from the top of the byte down, as often as they fit.
  uint32_t byte = 0;
  for (int filled = 0; filled < 8; filled += width) {
    byte |= filled + width <= 8 ? value << (8 - filled - width) : value >> (filled + width - 8);
  }
  return static_cast<uint8_t>(byte);
}

}  // namespace

uint8_t FieldValue(uint32_t pixel, uint32_t mask) {
  const Field field = FieldOf(mask);
  return Widen((pixel & mask) >> field.shift, field.width);
}

void ReadRow(const BitmapLayout& layout, const uint8_t* stored, uint8_t* out) {
  const int32_t width = layout.width;
  // Plain 24- and 32-bit rows are read as they are stored.
  if (layout.compression == kBiRgb && layout.bitsPerPixel >= 24) {
    std::memcpy(out, stored, static_cast<size_t>(width) * ReadPixelBytes(layout));
    return;
  }
  const int step = ReadPixelBytes(layout);
  const Field red = FieldOf(layout.masks[0]), green = FieldOf(layout.masks[1]),
              blue = FieldOf(layout.masks[2]);
  for (int32_t x = 0; x < width; ++x, out += step) {
    uint32_t pixel;
    if (layout.bitsPerPixel == 16) {
      pixel = uint32_t{stored[0]} | uint32_t{stored[1]} << 8;
      stored += 2;
    } else {
      pixel = uint32_t{stored[0]} | uint32_t{stored[1]} << 8 | uint32_t{stored[2]} << 16 |
              uint32_t{stored[3]} << 24;
      stored += 4;
    }
    out[0] = Widen((pixel & layout.masks[2]) >> blue.shift, blue.width);
    out[1] = Widen((pixel & layout.masks[1]) >> green.shift, green.width);
    out[2] = Widen((pixel & layout.masks[0]) >> red.shift, red.width);
    if (step == 4) out[3] = 0;
  }
}

}  // namespace tessalander
