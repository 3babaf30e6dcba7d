// The structural check of a Windows bitmap file, made before any decoder sees
// it. Some decoders do not fail on an impossible file: Wine's LoadImageA hands
// back an all-black bitmap, and the renderer's decoder trips over a height of
// INT_MIN. A file refused here counts as unreadable, so the usual fallback
// (the desktop) follows. The check only refuses what no bitmap can be; odd
// but possible files still go to the decoder.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tessalander {

// How many of the file's first bytes the check reads: the file header and
// the bitmap header up to its image size field.
inline constexpr size_t kBitmapHeaderBytes = 38;

// False when the file cannot be a bitmap: no "BM" signature; headers cut
// short by the end of the file; bits per pixel other than 1, 4, 8, 16, 24 or
// 32; an RLE8 or RLE4 compression at another depth; a width of 0 or below; a
// height of 0 or INT_MIN; or pixel data (by rows and depth, or for RLE by the
// stored image size) that would run past the end of the file. `head` holds
// the file's first min(fileSize, kBitmapHeaderBytes) bytes, or more;
// `headSize` says how many.
bool BitmapHeaderIsPossible(const uint8_t* head, size_t headSize, uint64_t fileSize);

// What the headers of a file that passed the check say of its pixels: the
// height without its sign, and the compression (0 for plain rows).
struct BitmapFormat {
  int32_t width = 0;
  int32_t height = 0;
  uint32_t bitsPerPixel = 0;
  uint32_t compression = 0;
};

// False when `head` is too short to hold the fields.
bool ReadBitmapFormat(const uint8_t* head, size_t headSize, BitmapFormat* format);

}  // namespace tessalander
