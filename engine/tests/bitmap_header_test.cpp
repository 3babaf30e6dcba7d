#include "engine/bitmap_header.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/bitmap_rows.h"
#include "engine/memory/memory_surface_layer.h"
#include "engine/tests/support/engine_test_support.h"
#include "engine/tests/support/kept_bitmaps.h"

namespace tessalander {

namespace {

void Put16(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  bytes[at] = static_cast<uint8_t>(value);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  Put16(bytes, at, value);
  Put16(bytes, at + 2, value >> 16);
}

// A file of a 40-byte bitmap header, then the masks of bit fields (5-6-5
// unless given) and a colour table (as many entries as in use, else all
// the depth indexes, 0x00RRGGBB each), then the data, which starts right
// after them unless `offset` says otherwise.
struct File {
  int32_t width;
  int32_t height;
  uint32_t bits;
  uint32_t compression = kBiRgb;
  std::vector<uint8_t> data = {};
  std::vector<uint32_t> palette = {};
  uint32_t coloursUsed = 0;
  uint32_t imageSize = 0;
  std::vector<uint32_t> masks = {0xF800, 0x07E0, 0x001F};
  int64_t offset = -1;
};

std::vector<uint8_t> Bytes(const File& f) {
  std::vector<uint8_t> bytes(54, 0);
  bytes[0] = 'B';
  bytes[1] = 'M';
  Put32(bytes, 14, 40);
  Put32(bytes, 18, static_cast<uint32_t>(f.width));
  Put32(bytes, 22, static_cast<uint32_t>(f.height));
  Put16(bytes, 26, 1);
  Put16(bytes, 28, f.bits);
  Put32(bytes, 30, f.compression);
  Put32(bytes, 34, f.imageSize);
  Put32(bytes, 46, f.coloursUsed);
  auto append32 = [&](uint32_t value) {
    bytes.resize(bytes.size() + 4);
    Put32(bytes, bytes.size() - 4, value);
  };
  if (f.compression == kBiBitFields) {
    for (const uint32_t mask : f.masks) append32(mask);
  }
  if (f.bits <= 8) {
    const uint32_t entries = f.coloursUsed != 0 ? f.coloursUsed : 1u << f.bits;
    for (uint32_t i = 0; i < entries; ++i) append32(i < f.palette.size() ? f.palette[i] : 0x5A5A5A);
  }
  const size_t start = bytes.size();
  Put32(bytes, 10, static_cast<uint32_t>(f.offset >= 0 ? static_cast<size_t>(f.offset) : start));
  bytes.insert(bytes.end(), f.data.begin(), f.data.end());
  Put32(bytes, 2, static_cast<uint32_t>(bytes.size()));
  return bytes;
}

std::vector<uint8_t> Filler(size_t count) { return std::vector<uint8_t>(count, 0x5A); }

bool HeadersPossible(const std::vector<uint8_t>& bytes) {
  BitmapLayout layout;
  return ReadBitmapLayout(bytes.data(), bytes.size(), bytes.size(), &layout);
}

TEST(BitmapHeader, FieldsByThemselves) {
  constexpr uint32_t kJpeg = 4, kPng = 5, kAlphaBitFields = 6;
  const File fields32{5, 3, 32, kBiBitFields, Filler(60), {}, 0, 0, {0xFF0000, 0xFF00, 0xFF}};
  // Rows are padded to 4 bytes: 5 pixels take 16 bytes at 24 bits, 4 at 1 bit.
  const struct {
    const char* what;
    File file;
    bool possible;
  } rows[] = {
      {"24 bits, data exactly fits", {5, 3, 24, kBiRgb, Filler(48)}, true},
      {"24 bits, one byte short", {5, 3, 24, kBiRgb, Filler(47)}, false},
      {"top-down", {5, -3, 24, kBiRgb, Filler(48)}, true},
      {"top-down, one byte short", {5, -3, 24, kBiRgb, Filler(47)}, false},
      {"1 bit", {5, 3, 1, kBiRgb, Filler(12)}, true},
      {"1 bit, short", {5, 3, 1, kBiRgb, Filler(11)}, false},
      {"4 bits", {5, 3, 4, kBiRgb, Filler(12)}, true},
      {"8 bits", {5, 3, 8, kBiRgb, Filler(24)}, true},
      {"16 bits", {5, 3, 16, kBiRgb, Filler(36)}, true},
      {"32 bits", {5, 3, 32, kBiRgb, Filler(60)}, true},
      {"32 bits, short", {5, 3, 32, kBiRgb, Filler(59)}, false},
      {"0 bits", {5, 3, 0, kBiRgb, Filler(1000)}, false},
      {"2 bits", {5, 3, 2, kBiRgb, Filler(1000)}, false},
      {"15 bits", {5, 3, 15, kBiRgb, Filler(1000)}, false},
      {"64 bits", {5, 3, 64, kBiRgb, Filler(1000)}, false},
      {"width 0", {0, 3, 24, kBiRgb, Filler(1000)}, false},
      {"width -1", {-1, 3, 24, kBiRgb, Filler(1000)}, false},
      {"width INT_MIN", {INT_MIN, 3, 24, kBiRgb, Filler(1000)}, false},
      {"height 0", {5, 0, 24, kBiRgb, Filler(1000)}, false},
      {"height INT_MIN", {5, INT_MIN, 24, kBiRgb, Filler(1000)}, false},
      {"height INT_MAX", {5, INT_MAX, 24, kBiRgb, Filler(1000)}, false},
      {"height -INT_MAX", {5, -INT_MAX, 24, kBiRgb, Filler(1000)}, false},
      {"width INT_MAX at 32 bits", {INT_MAX, 1, 32, kBiRgb, Filler(1000)}, false},
      {"both INT_MAX", {INT_MAX, INT_MAX, 32, kBiRgb, Filler(1000)}, false},
      {"bit fields at 16 bits", {5, 3, 16, kBiBitFields, Filler(36)}, true},
      {"bit fields, short", {5, 3, 16, kBiBitFields, Filler(35)}, false},
      {"bit fields at 32 bits", fields32, true},
      {"bit fields at 24 bits", {5, 3, 24, kBiBitFields, Filler(48)}, false},
      {"bit fields at 8 bits", {5, 3, 8, kBiBitFields, Filler(24)}, false},
      {"RLE8, stored size fits", {5, 3, 8, kBiRle8, Filler(40), {}, 0, 40}, true},
      {"RLE8, stored size past the end", {5, 3, 8, kBiRle8, Filler(40), {}, 0, 41}, false},
      {"RLE8, no stored size", {5, 3, 8, kBiRle8, Filler(40), {}, 0, 0}, false},
      {"RLE8 at 24 bits", {5, 3, 24, kBiRle8, Filler(40), {}, 0, 40}, false},
      {"RLE8 top-down", {5, -3, 8, kBiRle8, Filler(40), {}, 0, 40}, false},
      {"RLE4", {5, 3, 4, kBiRle4, Filler(10), {}, 0, 10}, true},
      {"RLE4 at 8 bits", {5, 3, 8, kBiRle4, Filler(10), {}, 0, 10}, false},
      {"JPEG: for printers", {5, 3, 24, kJpeg, Filler(48)}, false},
      {"PNG: for printers", {5, 3, 24, kPng, Filler(48)}, false},
      {"bit fields with alpha: Windows CE's", {5, 3, 16, kAlphaBitFields, Filler(36)}, false},
      {"an unknown compression", {5, 3, 24, 7, Filler(48)}, false},
      {"16 of 16 colours in use", {5, 3, 4, kBiRgb, Filler(12), {}, 16}, true},
      {"3 colours in use: a short table", {5, 3, 8, kBiRgb, Filler(24), {}, 3}, true},
      {"17 colours in use at 4 bits", {5, 3, 4, kBiRgb, Filler(12), {}, 17}, false},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(HeadersPossible(Bytes(row.file)), row.possible) << row.what;
  }
}

TEST(BitmapHeader, BitFieldMasks) {
  // red | green | blue | bits per pixel | possible
  const struct {
    uint32_t red, green, blue, bits;
    bool possible;
  } rows[] = {
      {0xF800, 0x07E0, 0x001F, 16, true},              // 5-6-5
      {0x7C00, 0x03E0, 0x001F, 16, true},              // 5-5-5
      {0x00FF0000, 0x0000FF00, 0x000000FF, 32, true},  // 8-8-8
      {0x3FF00000, 0x000FFC00, 0x000003FF, 32, true},  // 10 bits each
      {0x00000400, 0x00020000, 0x00000001, 32, true},  // a bit each
      {0x000000FF, 0x0000FF00, 0x00FF0000, 32, true},  // red lowest
      {0xFF000000, 0x00FF0000, 0x0000FF00, 32, true},  // up to the top bit
      {0, 0, 0, 16, false},
      {0xF800, 0x07E0, 0, 16, false},                   // no blue
      {0xF800, 0x0FE0, 0x001F, 16, false},              // red and green share a bit
      {0xFFFF, 0xFFFF, 0xFFFF, 16, false},              // all ones, all shared
      {0x00FF0000, 0x0000FF00, 0x000000F3, 32, false},  // a gap in blue
      {0x80000001, 0x0000FF00, 0x00FF0000, 32, false},  // red wraps round
      {0x001F0000, 0x07E0, 0x001F, 16, false},          // red outside a 16-bit pixel
  };
  for (const auto& row : rows) {
    const File file{5, 3, row.bits, kBiBitFields, Filler(row.bits == 16 ? 36 : 60), {}, 0, 0,
                    {row.red, row.green, row.blue}};
    EXPECT_EQ(HeadersPossible(Bytes(file)), row.possible)
        << std::hex << row.red << " " << row.green << " " << row.blue << " at " << std::dec << row.bits;
  }
}

TEST(BitmapHeader, FileAndHeaderStructure) {
  const std::vector<uint8_t> good = Bytes({5, 3, 24, kBiRgb, Filler(48)});
  auto with = [](std::vector<uint8_t> bytes, size_t at, uint32_t value) {
    Put32(bytes, at, value);
    return bytes;
  };
  // The 12-byte core header: 16-bit width and height, planes, depth.
  std::vector<uint8_t> core(26 + 48);
  core[0] = 'B';
  core[1] = 'M';
  Put32(core, 10, 26);
  Put32(core, 14, 12);
  Put16(core, 18, 5);
  Put16(core, 20, 3);
  Put16(core, 22, 1);
  Put16(core, 24, 24);
  std::vector<uint8_t> coreNoWidth = core;
  Put16(coreNoWidth, 18, 0);
  std::vector<uint8_t> core16 = core;
  Put16(core16, 24, 16);
  std::vector<uint8_t> shortHeader = with(good, 14, 16);  // OS/2 2.x: sizes and depth only
  Put32(shortHeader, 10, 30);
  shortHeader.resize(30 + 48);
  std::vector<uint8_t> misspelt = good;
  misspelt[1] = 'A';
  const std::vector<uint8_t> fields = Bytes({5, 3, 16, kBiBitFields, Filler(36)});
  const std::vector<uint8_t> palette8 = Bytes({5, 3, 8, kBiRgb, Filler(24)});

  const struct {
    const char* what;
    std::vector<uint8_t> bytes;
    bool possible;
  } rows[] = {
      {"as written", good, true},
      {"no BM signature", misspelt, false},
      {"empty", {}, false},
      {"only the signature", {'B', 'M'}, false},
      {"cut inside the bitmap header", std::vector<uint8_t>(good.begin(), good.begin() + 40), false},
      {"header longer than the file", with(good, 14, 124), false},
      {"header size 8", with(good, 14, 8), false},
      {"header size 13", with(good, 14, 13), false},
      {"OS/2 2.x header of 16 bytes", shortHeader, false},
      {"header size 39", with(good, 14, 39), false},
      {"12-byte core header", core, true},
      {"core header, width 0", coreNoWidth, false},
      {"core header, 16 bits", core16, false},
      {"data offset 0: right after the headers", with(good, 10, 0), true},
      {"data offset 2: inside the file header", with(good, 10, 2), false},
      {"data offset 30: inside the bitmap header", with(good, 10, 30), false},
      {"data offset one byte early", with(good, 10, 53), false},
      {"data offset inside the masks", with(fields, 10, 60), false},
      {"masks cut by the end of the file", std::vector<uint8_t>(fields.begin(), fields.begin() + 62),
       false},
      {"data offset inside the colour table", with(palette8, 10, 54 + 4 * 100), false},
      {"data offset 0 after a colour table", with(palette8, 10, 0), true},
      {"data offset at the end of the file", with(good, 10, static_cast<uint32_t>(good.size())), false},
      {"data offset past the end", with(good, 10, 0xFFFFFFF0), false},
      {"data offset one byte late", with(good, 10, 55), false},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(HeadersPossible(row.bytes), row.possible) << row.what;
  }
}

TEST(BitmapHeader, KeptFilesHostileAndValid) {
  const auto files = KeptBitmaps();
  ASSERT_GE(files.size(), 30u) << "the folder " TESSALANDER_TEST_BITMAPS " holds the files";
  for (const auto& [name, file] : files) {
    EXPECT_EQ(BitmapFileIsPossible(file.bytes.data(), file.bytes.size()), file.possible) << name;
  }
}

// What the .scr reads from the headers before it reads a file: where the
// colour table and the rows lie, for the kept valid files (all 5 x 3); and a
// head too short for the header gives nothing.
TEST(BitmapHeader, LayoutFromTheHeaders) {
  // file | bits | compression | data offset | palette entries | entry bytes | read by the .scr itself
  const struct {
    const char* name;
    uint32_t bits, compression;
    uint64_t dataOffset;
    uint32_t entries, entryBytes;
    bool readItself;
  } rows[] = {
      {"bottom_up_24.bmp", 24, kBiRgb, 54, 0, 4, true},
      {"top_down_24.bmp", 24, kBiRgb, 54, 0, 4, true},
      {"data_offset_zero.bmp", 24, kBiRgb, 54, 0, 4, true},
      {"bit_fields_16.bmp", 16, kBiBitFields, 66, 0, 4, true},
      {"rgb_16.bmp", 16, kBiRgb, 54, 0, 4, true},
      {"v5_header_32.bmp", 32, kBiRgb, 138, 0, 4, true},
      {"palette_8.bmp", 8, kBiRgb, 54 + 1024, 256, 4, false},
      {"core_header_4.bmp", 4, kBiRgb, 26 + 48, 16, 3, false},
      {"rle8.bmp", 8, kBiRle8, 54 + 1024, 256, 4, false},
  };
  const auto files = KeptBitmaps();
  for (const auto& row : rows) {
    const std::vector<uint8_t>& bytes = files.at(row.name).bytes;
    BitmapLayout layout;
    ASSERT_TRUE(ReadBitmapLayout(bytes.data(), bytes.size(), bytes.size(), &layout)) << row.name;
    EXPECT_EQ(layout.width, 5) << row.name;
    EXPECT_EQ(layout.height, 3) << row.name;
    EXPECT_EQ(layout.bitsPerPixel, row.bits) << row.name;
    EXPECT_EQ(layout.compression, row.compression) << row.name;
    EXPECT_EQ(layout.dataOffset, row.dataOffset) << row.name;
    EXPECT_EQ(layout.paletteEntries, row.entries) << row.name;
    EXPECT_EQ(layout.paletteEntryBytes, row.entryBytes) << row.name;
    EXPECT_EQ(ReadsRowsItself(layout), row.readItself) << row.name;
  }
  const std::vector<uint8_t> bitmap = Bytes({640, -480, 24});
  // bytes of the head | read
  const struct {
    size_t bytes;
    bool read;
  } heads[] = {{17, false}, {53, false}, {54, true}};
  for (const auto& head : heads) {
    BitmapLayout layout;
    EXPECT_EQ(ReadBitmapLayout(bitmap.data(), head.bytes, 54 + 640 * 3 * 480, &layout), head.read)
        << head.bytes;
    if (head.read) {
      EXPECT_EQ(layout.height, 480);
      EXPECT_TRUE(layout.topDown);
    }
  }
}

void Collect(void* context, int32_t x, int32_t row, const uint8_t* indices, int32_t count) {
  auto& rows = *static_cast<std::vector<std::string>*>(context);
  for (int32_t i = 0; i < count; ++i) {
    rows[static_cast<size_t>(row)][static_cast<size_t>(x + i)] = "0123456789ABCDEF"[indices[i]];
  }
}

TEST(BitmapHeader, RleStreams) {
  // Streams of a 5 x 3 picture; the pixels they draw, rows from the bottom,
  // "." for a pixel they skip, or "refused".
  const struct {
    const char* what;
    uint32_t compression;
    uint32_t entries;
    std::vector<uint8_t> stream;
    const char* drawn;
  } rows[] = {
      {"runs, ends of line, end of bitmap", kBiRle8, 16, {5, 1, 0, 0, 5, 2, 0, 0, 5, 3, 0, 1},
       "11111 22222 33333"},
      {"an end of line after the last row", kBiRle8, 16, {5, 1, 0, 0, 5, 2, 0, 0, 5, 3, 0, 0, 0, 1},
       "11111 22222 33333"},
      {"absolute run, padded", kBiRle8, 16, {0, 3, 4, 5, 6, 0, 2, 7, 0, 1}, "45677 ..... ....."},
      {"delta right and up", kBiRle8, 16, {2, 1, 0, 2, 1, 1, 2, 2, 0, 1}, "11... ...22 ....."},
      {"RLE4 run of alternating indices", kBiRle4, 16, {5, 0x12, 0, 1}, "12121 ..... ....."},
      {"RLE4 absolute runs, odd and padded", kBiRle4, 16,
       {0, 3, 0x34, 0x50, 0, 0, 0, 5, 0xAB, 0xCD, 0xE0, 0, 0, 1}, "345.. ABCDE ....."},
      {"no end of bitmap", kBiRle8, 16, {5, 1}, "refused"},
      {"run past the row", kBiRle8, 16, {6, 1, 0, 1}, "refused"},
      {"run after the last row", kBiRle8, 16, {0, 0, 0, 0, 0, 0, 1, 1, 0, 1}, "refused"},
      {"end of line past the top", kBiRle8, 16, {0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, "refused"},
      {"delta past the right edge", kBiRle8, 16, {0, 2, 6, 0, 0, 1}, "refused"},
      {"delta past the top", kBiRle8, 16, {0, 2, 0, 4, 0, 1}, "refused"},
      {"delta cut short", kBiRle8, 16, {0, 2, 1}, "refused"},
      {"absolute run past the data", kBiRle8, 16, {0, 5, 1, 2}, "refused"},
      {"absolute run without its padding", kBiRle8, 16, {0, 3, 1, 2, 3, 0, 1}, "refused"},
      {"index past the colour table", kBiRle8, 4, {2, 9, 0, 1}, "refused"},
      {"RLE4 index past a 2-colour table", kBiRle4, 2, {2, 0x13, 0, 1}, "refused"},
  };
  for (const auto& row : rows) {
    BitmapLayout layout;
    layout.width = 5;
    layout.height = 3;
    layout.compression = row.compression;
    layout.bitsPerPixel = row.compression == kBiRle8 ? 8 : 4;
    layout.paletteEntries = row.entries;
    std::vector<std::string> drawn(3, ".....");
    const bool possible = WalkRleStream(layout, row.stream.data(), row.stream.size(), &Collect, &drawn);
    EXPECT_EQ(possible ? drawn[0] + " " + drawn[1] + " " + drawn[2] : "refused", row.drawn) << row.what;
  }
}

TEST(BitmapRows, FieldsWidenedToEightBits) {
  // pixel | mask | value
  const struct {
    uint32_t pixel, mask;
    uint8_t value;
  } rows[] = {
      {0x001F, 0x001F, 0xFF},          // 5 bits: v << 3 | v >> 2
      {0x0010, 0x001F, 0x84},          //
      {0x0001, 0x001F, 0x08},          //
      {0x07E0, 0x07E0, 0xFF},          // 6 bits
      {0x0400, 0x07E0, 0x82},          //
      {0x0400, 0x0400, 0xFF},          // 1 bit
      {0x0000, 0x0400, 0x00},          //
      {0x0002, 0x0003, 0xAA},          // 2 bits
      {0x0004, 0x0007, 0x92},          // 3 bits
      {0x00AB0000, 0x00FF0000, 0xAB},  // 8 bits
      {0x3FF00000, 0x3FF00000, 0xFF},  // 10 bits: the top 8
      {0x20000000, 0x3FF00000, 0x80},  //
      {0x1FF00000, 0x3FF00000, 0x7F},  //
      {0xFF000000, 0xFF000000, 0xFF},  // up to the top bit
      {0x1234, 0x0000, 0x00},          // no mask
  };
  for (const auto& row : rows) {
    EXPECT_EQ(FieldValue(row.pixel, row.mask), row.value) << std::hex << row.pixel << " & " << row.mask;
  }
}

// The renderer's decoder, file kind by file kind: each 2 x 2 picture's pixels,
// the top row first.
TEST(BitmapDecoder, PixelsOfEachKind) {
  const std::vector<uint32_t> four = {0x102030, 0x405060, 0x708090, 0xA0B0C0};
  auto pad = [](std::vector<uint8_t> row) {
    row.resize((row.size() + 3) / 4 * 4, 0);
    return row;
  };
  // Two stored rows, each padded: the bottom one first.
  auto rows = [&](std::vector<uint8_t> bottom, std::vector<uint8_t> top) {
    std::vector<uint8_t> data = pad(std::move(bottom));
    const std::vector<uint8_t> upper = pad(std::move(top));
    data.insert(data.end(), upper.begin(), upper.end());
    return data;
  };
  const std::vector<uint8_t> bgr = rows({3, 2, 1, 6, 5, 4}, {9, 8, 7, 12, 11, 10});
  std::vector<uint8_t> gap = Bytes({2, 2, 24, kBiRgb, bgr});
  gap.insert(gap.begin() + 54, 6, 0xEE);
  Put32(gap, 10, 60);
  File redLowest{2, 2, 32, kBiBitFields};
  redLowest.data = {0x11, 0x22, 0x33, 0, 0x44, 0x55, 0x66, 0, 1, 2, 3, 0, 4, 5, 6, 0};
  redLowest.masks = {0xFF, 0xFF00, 0xFF0000};
  // A core header: 2 x 2 at 1 bit, a colour table of 3-byte entries.
  std::vector<uint8_t> core(26, 0);
  core[0] = 'B';
  core[1] = 'M';
  Put32(core, 10, 26 + 6);
  Put32(core, 14, 12);
  Put16(core, 18, 2);
  Put16(core, 20, 2);
  Put16(core, 22, 1);
  Put16(core, 24, 1);
  core.insert(core.end(), {0x33, 0x22, 0x11, 0x66, 0x55, 0x44});
  const std::vector<uint8_t> coreRows = rows({0x40}, {0x80});
  core.insert(core.end(), coreRows.begin(), coreRows.end());

  const struct {
    const char* what;
    std::vector<uint8_t> bytes;
    std::vector<uint32_t> pixels;
  } kinds[] = {
      {"24 bits, bottom-up", Bytes({2, 2, 24, kBiRgb, bgr}), {0x070809, 0x0A0B0C, 0x010203, 0x040506}},
      {"24 bits, top-down", Bytes({2, -2, 24, kBiRgb, bgr}), {0x010203, 0x040506, 0x070809, 0x0A0B0C}},
      {"24 bits after a gap", gap, {0x070809, 0x0A0B0C, 0x010203, 0x040506}},
      {"32 bits: the fourth byte unread",
       Bytes({2, 2, 32, kBiRgb, {3, 2, 1, 0xFF, 6, 5, 4, 0xFF, 9, 8, 7, 0xFF, 12, 11, 10, 0xFF}}),
       {0x070809, 0x0A0B0C, 0x010203, 0x040506}},
      {"16 bits, 5-5-5",
       Bytes({2, 2, 16, kBiRgb, rows({0xFF, 0x7F, 0x1F, 0x00}, {0x00, 0x7C, 0xE0, 0x03})}),
       {0xFF0000, 0x00FF00, 0xFFFFFF, 0x0000FF}},
      {"bit fields 5-6-5",
       Bytes({2, 2, 16, kBiBitFields, rows({0x41, 0x08, 0x1F, 0x00}, {0x00, 0xF8, 0xE0, 0x07})}),
       {0xFF0000, 0x00FF00, 0x080808, 0x0000FF}},
      {"bit fields, red lowest", Bytes(redLowest), {0x010203, 0x040506, 0x112233, 0x445566}},
      {"1 bit", Bytes({2, 2, 1, kBiRgb, rows({0x80}, {0x40}), four}),
       {0x102030, 0x405060, 0x405060, 0x102030}},
      {"4 bits, an index past a short table", Bytes({2, 2, 4, kBiRgb, rows({0x01}, {0x23}), four, 3}),
       {0x708090, 0x000000, 0x102030, 0x405060}},
      {"8 bits", Bytes({2, 2, 8, kBiRgb, rows({3, 2}, {1, 0}), four, 4}),
       {0x405060, 0x102030, 0xA0B0C0, 0x708090}},
      {"core header: 3-byte entries", core, {0x445566, 0x112233, 0x112233, 0x445566}},
      {"RLE8: a skipped pixel stays black",
       Bytes({2, 2, 8, kBiRle8, {0, 2, 1, 0, 1, 2, 0, 0, 2, 3, 0, 1}, four, 4, 12}),
       {0xA0B0C0, 0xA0B0C0, 0x000000, 0x708090}},
      {"RLE4", Bytes({2, 2, 4, kBiRle4, {2, 0x01, 0, 0, 2, 0x32, 0, 1}, four, 4, 8}),
       {0xA0B0C0, 0x708090, 0x102030, 0x405060}},
  };
  for (const auto& kind : kinds) {
    const std::optional<MemorySurface> decoded = DecodeBmp(kind.bytes);
    ASSERT_TRUE(decoded) << kind.what;
    EXPECT_EQ(decoded->Pixels, kind.pixels) << kind.what;
  }
}

// The renderer's picture loading refuses every hostile file and decodes every
// valid one.
TEST(BitmapHeader, MemoryLayerRefusesHostileFilesAndLoadsValidOnes) {
  const auto files = KeptBitmaps();
  MemorySurfaceLayer layer([&](const std::string& path, std::vector<uint8_t>& bytes) {
    bytes = files.at(path).bytes;
    return true;
  });
  for (const auto& [name, file] : files) {
    Picture picture = layer.LoadPicture(name.c_str());
    EXPECT_EQ(picture != nullptr, file.possible) << name;
    PixelSize size;
    if (picture != nullptr && layer.PictureSize(picture, &size)) {
      EXPECT_EQ(size.width, 5) << name;
      EXPECT_EQ(size.height, 3) << name;
    }
    layer.ReleasePicture(picture);
  }
  EXPECT_EQ(layer.LiveObjects(), 0u);
}

TEST(BitmapHeader, ReadingADirectoryOrADeviceIsAFailureNotAnException) {
  std::vector<uint8_t> bytes;
  EXPECT_FALSE(ReadDiskFile(TESSALANDER_TEST_BITMAPS, bytes));
  EXPECT_FALSE(ReadDiskFile(TESSALANDER_TEST_BITMAPS "/no-such-file.bmp", bytes));
  EXPECT_FALSE(ReadDiskFile("/dev/zero", bytes));  // would never end
  EXPECT_TRUE(ReadDiskFile(TESSALANDER_TEST_BITMAPS "/valid/bottom_up_24.bmp", bytes));
  EXPECT_EQ(bytes.size(), 102u);
}

TEST(BitmapHeader, ImageFilesForTheToolsGoThroughTheCheck) {
  EXPECT_FALSE(ReadImageFile(TESSALANDER_TEST_BITMAPS "/hostile/height_int_min.bmp"));
  EXPECT_FALSE(ReadImageFile(TESSALANDER_TEST_BITMAPS "/hostile/truncated.bmp"));
  EXPECT_FALSE(ReadImageFile(TESSALANDER_TEST_BITMAPS));
  EXPECT_TRUE(ReadImageFile(TESSALANDER_TEST_BITMAPS "/valid/top_down_24.bmp"));
}

}  // namespace

}  // namespace tessalander
