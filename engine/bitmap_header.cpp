#include "engine/bitmap_header.h"

#include <limits>

namespace tessalander {

namespace {

// Little-endian fields at a byte offset; the caller has checked the length.
uint32_t U16(const uint8_t* at) { return uint32_t{at[0]} | uint32_t{at[1]} << 8; }
uint32_t U32(const uint8_t* at) { return U16(at) | U16(at + 2) << 16; }
int32_t I32(const uint8_t* at) { return static_cast<int32_t>(U32(at)); }

constexpr size_t kFileHeaderBytes = 14;
constexpr uint32_t kCoreHeaderBytes = 12;  // the OS/2 1.x header: 16-bit sizes
// Compressions
constexpr uint32_t kRgb = 0;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
constexpr uint32_t kBitFields = 3;
constexpr uint32_t kAlphaBitFields = 6;

bool IsBitmapDepth(uint32_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

struct Fields {
  int64_t width;
  int64_t height;
  uint32_t bitsPerPixel;
  uint32_t compression;
  uint32_t imageSize;
};

}  // namespace

bool BitmapHeaderIsPossible(const uint8_t* head, size_t headSize, uint64_t fileSize) {
  if (headSize > fileSize) headSize = static_cast<size_t>(fileSize);
  if (headSize < kFileHeaderBytes + 4 || head[0] != 'B' || head[1] != 'M') return false;
  const uint32_t dataOffset = U32(head + 10);
  const uint32_t infoSize = U32(head + 14);
  const uint8_t* info = head + kFileHeaderBytes;

  // The fields read here must lie inside the bitmap header, and the whole
  // bitmap header inside the file.
  Fields f{};
  if (fileSize < kFileHeaderBytes + uint64_t{infoSize}) return false;
  if (infoSize == kCoreHeaderBytes) {
    if (headSize < kFileHeaderBytes + kCoreHeaderBytes) return false;
    f = {U16(info + 4), U16(info + 6), U16(info + 10), 0, 0};
  } else {
    if (infoSize < 16 || headSize < kFileHeaderBytes + (infoSize < 24 ? infoSize : 24)) {
      return false;
    }
    f = {I32(info + 4), I32(info + 8), U16(info + 14), infoSize >= 20 ? U32(info + 16) : 0,
         infoSize >= 24 ? U32(info + 20) : 0};
  }

  if (!IsBitmapDepth(f.bitsPerPixel) || f.width <= 0 || f.height == 0 ||
      f.height == std::numeric_limits<int32_t>::min()) {
    return false;
  }
  const uint64_t rows = static_cast<uint64_t>(f.height < 0 ? -f.height : f.height);

  // Pixel data starts at the stored offset. An offset of 0 means right after
  // the headers and the colour table; without the table, that start is the
  // earliest the data can have, so nothing possible is refused.
  const uint64_t start = dataOffset != 0 ? dataOffset : kFileHeaderBytes + uint64_t{infoSize};
  if (start > fileSize) return false;
  const uint64_t room = fileSize - start;

  if (f.compression == kRle8 || f.compression == kRle4) {
    // Compressed rows have no fixed length, but the stored size of the data
    // must fit; a compressed bitmap has one depth and is never top-down.
    if (f.bitsPerPixel != (f.compression == kRle8 ? 8u : 4u) || f.height < 0) return false;
    return f.imageSize <= room;
  }
  // Uncompressed rows (also for bit-field masks) are padded to 4 bytes. Other
  // compressions are left to the decoder.
  if (f.compression != kRgb && f.compression != kBitFields && f.compression != kAlphaBitFields) {
    return true;
  }
  const uint64_t rowBytes = (static_cast<uint64_t>(f.width) * f.bitsPerPixel + 31) / 32 * 4;
  return rows <= room / rowBytes;
}

bool ReadBitmapFormat(const uint8_t* head, size_t headSize, BitmapFormat* format) {
  if (headSize < kFileHeaderBytes + 4) return false;
  const uint8_t* info = head + kFileHeaderBytes;
  if (U32(info) == kCoreHeaderBytes) {
    if (headSize < kFileHeaderBytes + kCoreHeaderBytes) return false;
    *format = {static_cast<int32_t>(U16(info + 4)), static_cast<int32_t>(U16(info + 6)), U16(info + 10),
               kRgb};
    return true;
  }
  if (headSize < kFileHeaderBytes + 20) return false;
  const int32_t height = I32(info + 8);
  const bool flipped = height < 0 && height != std::numeric_limits<int32_t>::min();
  *format = {I32(info + 4), flipped ? -height : height, U16(info + 14), U32(info + 16)};
  return true;
}

}  // namespace tessalander
