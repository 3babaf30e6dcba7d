// The pixel rows of an uncompressed bitmap file as the saver reads them
// itself, and as the renderer decodes them: the arithmetic that depends on
// the file, the same on every system. The saver reads plain 24- and 32-bit
// rows and 16- and 32-bit bit fields into a bottom-up DIB section of its
// own, 24 bits a pixel for 16- and 24-bit files and 32 for 32-bit ones, top-down
// files included (Wine's LoadImageA makes those black); the rest goes to
// LoadImageA.
#pragma once

#include <cstdint>

#include "engine/bitmap_header.h"

namespace tessalander {

// True for the files the saver reads itself: uncompressed 16, 24 and 32
// bits, plain or bit fields, after a bitmap header of 40 bytes or more.
bool ReadsRowsItself(const BitmapLayout& layout);

// 3 or 4: the bytes of a pixel once read (blue, green, red, and for 32-bit
// files a fourth byte that nothing reads).
int ReadPixelBytes(const BitmapLayout& layout);

// The bytes of a row once read, padded to 4 as in a DIB, and of all rows.
uint64_t ReadRowBytes(const BitmapLayout& layout);
uint64_t ReadPictureBytes(const BitmapLayout& layout);

// The row, counted from the bottom of the picture, that the n-th row stored
// in the file shows.
int32_t RowFromBottom(const BitmapLayout& layout, int32_t stored);

// A bit field of a pixel as 8 bits: a field narrower than 8 bits has its bits
// repeated below it (so that all ones is 255, and 5 bits are v << 3 | v >> 2,
// as Windows and Wine widen 5-5-5 and 5-6-5), a wider one keeps its top 8 bits.
uint8_t FieldValue(uint32_t pixel, uint32_t mask);

// One stored row turned into a row as read: layout.width pixels of
// ReadPixelBytes each.
void ReadRow(const BitmapLayout& layout, const uint8_t* stored, uint8_t* out);

}  // namespace tessalander
