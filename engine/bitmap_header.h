// The structural check of a Windows bitmap file, made before any decoder sees
// it, and what the headers say of where the pixels lie. Some decoders do not
// fail on a file they cannot read: Wine's LoadImageA hands back an all-black
// bitmap, or faults on a data offset inside the headers, and the renderer's
// decoder must not read past a file. A file refused here counts as
// unreadable, so the usual fallback (the chosen file, then the desktop)
// follows. The check refuses what no bitmap can be, what Windows documents as
// invalid, and what Wine would turn black; odd but documented files pass.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tessalander {

// How many of the file's first bytes the check reads: the file header and
// the largest bitmap header, within which lie the bit-field masks that
// follow a 40-byte header.
inline constexpr size_t kBitmapHeaderBytes = 14 + 124;

// Compressions the saver knows.
inline constexpr uint32_t kBiRgb = 0;
inline constexpr uint32_t kBiRle8 = 1;
inline constexpr uint32_t kBiRle4 = 2;
inline constexpr uint32_t kBiBitFields = 3;

// Where a possible file's pixels lie and how they are stored.
struct BitmapLayout {
  int32_t width = 0;
  int32_t height = 0;  // without its sign
  bool topDown = false;
  uint32_t bitsPerPixel = 0;
  uint32_t compression = kBiRgb;
  bool coreHeader = false;  // the 12-byte OS/2 1.x header
  // Red, green and blue masks of 16- and 32-bit pixels: the file's for bit
  // fields, else what Windows takes for plain rows (5-5-5, 8-8-8).
  uint32_t masks[3] = {};
  // The colour table of 1-, 4- and 8-bit pictures: entries of 4 bytes (3
  // after a core header), blue first.
  uint64_t paletteOffset = 0;
  uint32_t paletteEntries = 0;
  uint32_t paletteEntryBytes = 4;
  // The pixel data: uncompressed rows of rowBytes each (padded to 4 bytes),
  // stored from the bottom up unless topDown; for RLE, the stream's stored
  // size.
  uint64_t dataOffset = 0;
  uint64_t dataBytes = 0;
  uint64_t rowBytes = 0;
};

// Reads the headers from `head`, the file's first min(fileSize,
// kBitmapHeaderBytes) bytes or more (`headSize` says how many). False when
// the file cannot be shown: no "BM" signature; headers cut short by the end
// of the file, or a bitmap header of another size than 12 or 40 and more;
// bits per pixel other than 1, 4, 8, 16, 24 or 32 (1, 4, 8 or 24 after a core
// header); a width of 0 or below; a height of 0 or INT_MIN; a compression
// other than plain rows, RLE8 at 8 bits, RLE4 at 4 bits (neither top-down,
// and with a stored size) and bit fields at 16 or 32 bits; bit-field masks
// that are 0, overlap, have gaps or lie outside the pixel; more colours in
// use than the depth can index; a data offset inside the headers, the masks
// or the colour table; or pixel data (by rows and depth, or for RLE by the
// stored size) that would run past the end of the file. An RLE stream itself
// is checked by WalkRleStream.
bool ReadBitmapLayout(const uint8_t* head, size_t headSize, uint64_t fileSize, BitmapLayout* layout);

// Called for each run of pixels an RLE stream draws: `count` palette indices
// from pixel x of stored row `row` (0 is the bottom row) rightwards.
using RleRun = void (*)(void* context, int32_t x, int32_t row, const uint8_t* indices, int32_t count);

// Walks the RLE stream of a file whose layout was read, `size` bytes from
// `data`, handing each run to `run` (when not nullptr). False, at the first
// fault, when a run or a delta leaves the image, an index lies past the
// colour table, or the stream runs past its data before its end of bitmap.
bool WalkRleStream(const BitmapLayout& layout, const uint8_t* data, size_t size, RleRun run = nullptr,
                   void* context = nullptr);

// The whole check on a file in memory: its headers, and an RLE stream.
bool BitmapFileIsPossible(const uint8_t* file, size_t size);

}  // namespace tessalander
