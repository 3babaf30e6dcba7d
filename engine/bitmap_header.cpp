#include "engine/bitmap_header.h"

#include <limits>

namespace tessalander {

namespace {

// Little-endian fields at a byte offset; the caller has checked the length.
uint32_t U16(const uint8_t* at) { return uint32_t{at[0]} | uint32_t{at[1]} << 8; }
uint32_t U32(const uint8_t* at) { return U16(at) | U16(at + 2) << 16; }
int32_t I32(const uint8_t* at) { return static_cast<int32_t>(U32(at)); }

constexpr uint64_t kFileHeaderBytes = 14;
constexpr uint32_t kCoreHeaderBytes = 12;  // the OS/2 1.x header: 16-bit sizes
constexpr uint32_t kInfoHeaderBytes = 40;  // BITMAPINFOHEADER
// From this size on (BITMAPV2INFOHEADER, V4, V5) the masks lie inside the
// header, right after its 40 bytes; a 40-byte header is followed by them.
constexpr uint32_t kMasksInsideBytes = 52;

bool IsBitmapDepth(uint32_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Each mask a run of set bits within the pixel, none sharing a bit.
bool MasksArePossible(const uint32_t (&masks)[3], uint32_t bitsPerPixel) {
  const uint64_t pixel = (uint64_t{1} << bitsPerPixel) - 1;
  uint32_t seen = 0;
  for (const uint32_t mask : masks) {
    const uint32_t low = mask & (~mask + 1);  // its lowest set bit
    // A contiguous run plus its lowest bit is a single bit or 0 (a run up to bit 31).
    const uint32_t carried = mask + low;
    if (mask == 0 || (mask & ~pixel) != 0 || (mask & seen) != 0 || (carried & (carried - 1)) != 0) {
      return false;
    }
    seen |= mask;
  }
  return true;
}

}  // namespace

bool ReadBitmapLayout(const uint8_t* head, size_t headSize, uint64_t fileSize, BitmapLayout* layout) {
  if (headSize > fileSize) headSize = static_cast<size_t>(fileSize);
  if (headSize < kFileHeaderBytes + 4 || head[0] != 'B' || head[1] != 'M') return false;
  const uint32_t dataOffset = U32(head + 10);
  const uint32_t infoSize = U32(head + 14);
  const uint8_t* info = head + kFileHeaderBytes;
  // The fields read here must lie inside the bitmap header, the whole
  // bitmap header inside the file, and as much of it as the check reads in
  // `head`.
  if (fileSize < kFileHeaderBytes + uint64_t{infoSize}) return false;
  const uint64_t read = infoSize < kBitmapHeaderBytes - kFileHeaderBytes
                            ? infoSize
                            : kBitmapHeaderBytes - kFileHeaderBytes;
  if (headSize < kFileHeaderBytes + read) return false;

  BitmapLayout f;
  int64_t height = 0;
  uint32_t coloursUsed = 0;
  uint32_t imageSize = 0;
  if (infoSize == kCoreHeaderBytes) {
    f.coreHeader = true;
    f.width = static_cast<int32_t>(U16(info + 4));
    height = U16(info + 6);
    f.bitsPerPixel = U16(info + 10);
    f.paletteEntryBytes = 3;
    if (f.bitsPerPixel == 16 || f.bitsPerPixel == 32) return false;
  } else if (infoSize >= kInfoHeaderBytes) {
    f.width = I32(info + 4);
    height = I32(info + 8);
    f.bitsPerPixel = U16(info + 14);
    f.compression = U32(info + 16);
    imageSize = U32(info + 20);
    coloursUsed = U32(info + 32);
  } else {
    return false;  // OS/2 2.x's short headers and smaller: no Windows reads them
  }
  if (!IsBitmapDepth(f.bitsPerPixel) || f.width <= 0 || height == 0 ||
      height == std::numeric_limits<int32_t>::min()) {
    return false;
  }
  f.topDown = height < 0;
  f.height = static_cast<int32_t>(height < 0 ? -height : height);

  // The headers end after the masks that follow a 40-byte header, and the
  // colour table: 2^bits entries at up to 8 bits, fewer when so many are in
  // use; above 8 bits, an optional table of the colours in use.
  uint64_t headersEnd = kFileHeaderBytes + infoSize;
  switch (f.compression) {
    case kBiRgb:
      break;
    case kBiRle8:
    case kBiRle4:
      // One depth each; never top-down; the stream's size is needed to know
      // where it ends.
      if (f.bitsPerPixel != (f.compression == kBiRle8 ? 8u : 4u) || f.topDown || imageSize == 0) {
        return false;
      }
      break;
    case kBiBitFields:
      if (f.bitsPerPixel != 16 && f.bitsPerPixel != 32) return false;
      if (infoSize == kInfoHeaderBytes) {
        if (headSize < headersEnd + 12) return false;
        headersEnd += 12;
        for (int c = 0; c < 3; ++c) f.masks[c] = U32(info + kInfoHeaderBytes + 4 * c);
      } else if (infoSize >= kMasksInsideBytes) {
        for (int c = 0; c < 3; ++c) f.masks[c] = U32(info + kInfoHeaderBytes + 4 * c);
      } else {
        return false;
      }
      if (!MasksArePossible(f.masks, f.bitsPerPixel)) return false;
      break;
    default:
      return false;  // JPEG and PNG are for printers; the rest is unknown
  }
  if (f.compression == kBiRgb && f.bitsPerPixel == 16) {
    f.masks[0] = 0x7C00, f.masks[1] = 0x03E0, f.masks[2] = 0x001F;
  } else if (f.compression == kBiRgb && f.bitsPerPixel == 32) {
    f.masks[0] = 0x00FF0000, f.masks[1] = 0x0000FF00, f.masks[2] = 0x000000FF;
  }
  f.paletteOffset = headersEnd;
  uint64_t tableEntries = coloursUsed;
  if (f.bitsPerPixel <= 8) {
    const uint32_t indexable = uint32_t{1} << f.bitsPerPixel;
    if (coloursUsed > indexable) return false;
    f.paletteEntries = coloursUsed != 0 ? coloursUsed : indexable;
    tableEntries = f.paletteEntries;
  }
  headersEnd += tableEntries * f.paletteEntryBytes;

  // Pixel data starts at the stored offset; an offset of 0 means right after
  // the headers and the colour table.
  if (dataOffset != 0 && dataOffset < headersEnd) return false;
  f.dataOffset = dataOffset != 0 ? dataOffset : headersEnd;
  if (f.dataOffset > fileSize) return false;
  const uint64_t room = fileSize - f.dataOffset;
  if (f.compression == kBiRle8 || f.compression == kBiRle4) {
    if (imageSize > room) return false;
    f.dataBytes = imageSize;
  } else {
    f.rowBytes = (static_cast<uint64_t>(f.width) * f.bitsPerPixel + 31) / 32 * 4;
    if (static_cast<uint64_t>(f.height) > room / f.rowBytes) return false;
    f.dataBytes = f.rowBytes * static_cast<uint64_t>(f.height);
  }
  *layout = f;
  return true;
}

bool WalkRleStream(const BitmapLayout& layout, const uint8_t* data, size_t size, RleRun run,
                   void* context) {
  const bool four = layout.compression == kBiRle4;
  const int64_t width = layout.width;
  const int64_t height = layout.height;
  uint8_t indices[255];
  int64_t x = 0;
  int64_t row = 0;
  size_t at = 0;
  // Checks a run of `count` pixels at the position and hands it on.
  auto draw = [&](int32_t count) {
    if (row >= height || x + count > width) return false;
    for (int32_t i = 0; i < count; ++i) {
      if (indices[i] >= layout.paletteEntries) return false;
    }
    if (run != nullptr) run(context, static_cast<int32_t>(x), static_cast<int32_t>(row), indices, count);
    x += count;
    return true;
  };
  while (size - at >= 2) {
    const uint8_t first = data[at];
    const uint8_t second = data[at + 1];
    at += 2;
    if (first != 0) {  // encoded: one index, or two alternating
      for (int32_t i = 0; i < first; ++i) {
        indices[i] = four ? static_cast<uint8_t>(i % 2 == 0 ? second >> 4 : second & 0xF) : second;
      }
      if (!draw(first)) return false;
    } else if (second == 0) {  // end of line
      x = 0;
      if (++row > height) return false;
    } else if (second == 1) {  // end of bitmap
      return true;
    } else if (second == 2) {  // delta: right and up
      if (size - at < 2) return false;
      x += data[at];
      row += data[at + 1];
      at += 2;
      if (x > width || row > height) return false;
    } else {  // absolute: `second` indices, padded to a 16-bit boundary
      const size_t bytes = four ? (second + 1u) / 2 : second;
      if (size - at < bytes + bytes % 2) return false;
      for (int32_t i = 0; i < second; ++i) {
        const uint8_t byte = data[at + (four ? i / 2 : i)];
        indices[i] = four ? static_cast<uint8_t>(i % 2 == 0 ? byte >> 4 : byte & 0xF) : byte;
      }
      at += bytes + bytes % 2;
      if (!draw(second)) return false;
    }
  }
  return false;  // no end of bitmap within the data
}

bool BitmapFileIsPossible(const uint8_t* file, size_t size) {
  BitmapLayout layout;
  if (!ReadBitmapLayout(file, size, size, &layout)) return false;
  if (layout.compression != kBiRle8 && layout.compression != kBiRle4) return true;
  return WalkRleStream(layout, file + layout.dataOffset, static_cast<size_t>(layout.dataBytes));
}

}  // namespace tessalander
