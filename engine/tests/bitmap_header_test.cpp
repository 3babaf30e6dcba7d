#include "engine/bitmap_header.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <set>

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

struct Fields {
  int32_t width;
  int32_t height;
  uint32_t bits;
  uint32_t compression = 0;
  uint32_t imageSize = 0;
};

// A file header and a 40-byte bitmap header, the data starting right after
// them, followed by `data` bytes.
std::vector<uint8_t> Bitmap(Fields f, size_t data) {
  std::vector<uint8_t> bytes(54 + data, 0x5A);
  bytes[0] = 'B';
  bytes[1] = 'M';
  Put32(bytes, 2, static_cast<uint32_t>(bytes.size()));
  Put32(bytes, 6, 0);
  Put32(bytes, 10, 54);
  Put32(bytes, 14, 40);
  Put32(bytes, 18, static_cast<uint32_t>(f.width));
  Put32(bytes, 22, static_cast<uint32_t>(f.height));
  Put16(bytes, 26, 1);
  Put16(bytes, 28, f.bits);
  Put32(bytes, 30, f.compression);
  Put32(bytes, 34, f.imageSize);
  return bytes;
}

bool IsPossible(const std::vector<uint8_t>& bytes) {
  return BitmapHeaderIsPossible(bytes.data(), bytes.size(), bytes.size());
}

TEST(BitmapHeader, FieldsByThemselves) {
  constexpr uint32_t kRle8 = 1, kRle4 = 2, kBitFields = 3, kJpeg = 4;
  // Rows are padded to 4 bytes: 5 pixels take 16 bytes at 24 bits, 4 at 1 bit.
  const struct {
    const char* what;
    Fields fields;
    size_t data;
    bool possible;
  } rows[] = {
      {"24 bits, data exactly fits", {5, 3, 24}, 48, true},
      {"24 bits, one byte short", {5, 3, 24}, 47, false},
      {"top-down", {5, -3, 24}, 48, true},
      {"top-down, one byte short", {5, -3, 24}, 47, false},
      {"1 bit", {5, 3, 1}, 12, true},
      {"1 bit, short", {5, 3, 1}, 11, false},
      {"4 bits", {5, 3, 4}, 12, true},
      {"8 bits", {5, 3, 8}, 24, true},
      {"16 bits", {5, 3, 16}, 36, true},
      {"32 bits", {5, 3, 32}, 60, true},
      {"32 bits, short", {5, 3, 32}, 59, false},
      {"0 bits", {5, 3, 0}, 1000, false},
      {"2 bits", {5, 3, 2}, 1000, false},
      {"15 bits", {5, 3, 15}, 1000, false},
      {"64 bits", {5, 3, 64}, 1000, false},
      {"width 0", {0, 3, 24}, 1000, false},
      {"width -1", {-1, 3, 24}, 1000, false},
      {"width INT_MIN", {INT_MIN, 3, 24}, 1000, false},
      {"height 0", {5, 0, 24}, 1000, false},
      {"height INT_MIN", {5, INT_MIN, 24}, 1000, false},
      {"height INT_MAX", {5, INT_MAX, 24}, 1000, false},
      {"height -INT_MAX", {5, -INT_MAX, 24}, 1000, false},
      {"width INT_MAX at 32 bits", {INT_MAX, 1, 32}, 1000, false},
      {"both INT_MAX", {INT_MAX, INT_MAX, 32}, 1000, false},
      {"bit fields at 16 bits", {5, 3, 16, kBitFields}, 36, true},
      {"bit fields, short", {5, 3, 16, kBitFields}, 35, false},
      {"RLE8, stored size fits", {5, 3, 8, kRle8, 40}, 40, true},
      {"RLE8, stored size past the end", {5, 3, 8, kRle8, 41}, 40, false},
      {"RLE8, stored size 0", {5, 3, 8, kRle8, 0}, 40, true},
      {"RLE8 at 24 bits", {5, 3, 24, kRle8, 40}, 40, false},
      {"RLE8 top-down", {5, -3, 8, kRle8, 40}, 40, false},
      {"RLE4", {5, 3, 4, kRle4, 10}, 10, true},
      {"RLE4 at 8 bits", {5, 3, 8, kRle4, 10}, 10, false},
      {"another compression: left to the decoder", {5, 3, 24, kJpeg, 0}, 0, true},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(IsPossible(Bitmap(row.fields, row.data)), row.possible) << row.what;
  }
}

TEST(BitmapHeader, FileAndHeaderStructure) {
  const std::vector<uint8_t> good = Bitmap({5, 3, 24}, 48);
  auto with = [&](size_t at, uint32_t value) {
    std::vector<uint8_t> bytes = good;
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
  std::vector<uint8_t> shortHeader = with(14, 16);  // OS/2 2.x: sizes and depth only
  Put32(shortHeader, 10, 30);
  shortHeader.resize(30 + 48);
  std::vector<uint8_t> misspelt = good;
  misspelt[1] = 'A';

  const struct {
    const char* what;
    std::vector<uint8_t> bytes;
    bool possible;
  } rows[] = {
      {"as written", good, true},
      {"no BM signature", misspelt, false},
      {"empty", {}, false},
      {"only the signature", {'B', 'M'}, false},
      {"cut inside the bitmap header", std::vector<uint8_t>(good.begin(), good.begin() + 40),
       false},
      {"header longer than the file", with(14, 124), false},
      {"header size 8", with(14, 8), false},
      {"header size 13", with(14, 13), false},
      {"OS/2 2.x header of 16 bytes", shortHeader, true},
      {"12-byte core header", core, true},
      {"core header, width 0", coreNoWidth, false},
      {"data offset 0: right after the headers", with(10, 0), true},
      {"data offset at the end of the file", with(10, static_cast<uint32_t>(good.size())), false},
      {"data offset past the end", with(10, 0xFFFFFFF0), false},
      {"data offset one byte late", with(10, 55), false},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(IsPossible(row.bytes), row.possible) << row.what;
  }
}

TEST(BitmapHeader, KeptFilesHostileAndValid) {
  const auto files = KeptBitmaps();
  ASSERT_GE(files.size(), 20u) << "the folder " TESSALANDER_TEST_BITMAPS " holds the files";
  for (const auto& [name, file] : files) {
    EXPECT_EQ(IsPossible(file.bytes), file.possible) << name;
  }
}

// What the .scr reads from the headers before it loads a file: every valid
// kept file is 5 x 3, top-down or not, core header or not, at its depth; a
// head too short for the fields gives nothing.
TEST(BitmapHeader, FormatFromTheHeaders) {
  // file | bits per pixel | compression
  const std::map<std::string, std::pair<uint32_t, uint32_t>> formats = {
      {"bit_fields_16.bmp", {16, 3}}, {"bottom_up_24.bmp", {24, 0}}, {"core_header_4.bmp", {4, 0}},
      {"rle8.bmp", {8, 1}},           {"top_down_24.bmp", {24, 0}},  {"v5_header_32.bmp", {32, 0}},
  };
  for (const auto& [name, file] : KeptBitmaps()) {
    if (!file.possible) continue;
    BitmapFormat format;
    ASSERT_TRUE(ReadBitmapFormat(file.bytes.data(), file.bytes.size(), &format)) << name;
    EXPECT_EQ(format.width, 5) << name;
    EXPECT_EQ(format.height, 3) << name;
    const auto known = formats.find(name);
    if (known == formats.end()) continue;
    EXPECT_EQ(format.bitsPerPixel, known->second.first) << name;
    EXPECT_EQ(format.compression, known->second.second) << name;
  }
  const std::vector<uint8_t> bitmap = Bitmap({640, -480, 24}, 0);
  // bytes of the head | fields read
  const struct {
    size_t bytes;
    bool read;
  } rows[] = {{17, false}, {33, false}, {34, true}, {54, true}};
  for (const auto& row : rows) {
    BitmapFormat format;
    EXPECT_EQ(ReadBitmapFormat(bitmap.data(), row.bytes, &format), row.read) << row.bytes;
    if (row.read) {
      EXPECT_EQ(format.width, 640);
      EXPECT_EQ(format.height, 480);
      EXPECT_EQ(format.bitsPerPixel, 24u);
    }
  }
}

// The renderer's picture loading refuses every hostile file without handing
// it to the decoder (a height of INT_MIN used to stop it with a sanitizer
// error there), and decodes the valid ones its decoder knows.
TEST(BitmapHeader, MemoryLayerRefusesHostileFilesAndLoadsValidOnes) {
  const auto files = KeptBitmaps();
  // The decoder has no RLE and wants the data offset written out.
  const std::set<std::string> undecodable = {"rle8.bmp", "data_offset_zero.bmp"};
  MemorySurfaceLayer layer([&](const std::string& path, std::vector<uint8_t>& bytes) {
    bytes = files.at(path).bytes;
    return true;
  });
  for (const auto& [name, file] : files) {
    Picture picture = layer.LoadPicture(name.c_str());
    const bool loads = file.possible && undecodable.count(name) == 0;
    EXPECT_EQ(picture != nullptr, loads) << name;
    PixelSize size;
    if (picture != nullptr && layer.PictureSize(picture, &size)) {
      EXPECT_EQ(size.width, 5) << name;
      EXPECT_EQ(size.height, 3) << name;
    }
    layer.ReleasePicture(picture);
  }
  EXPECT_EQ(layer.LiveObjects(), 0u);
}

TEST(BitmapHeader, ReadingADirectoryIsAFailureNotAnException) {
  std::vector<uint8_t> bytes;
  EXPECT_FALSE(ReadDiskFile(TESSALANDER_TEST_BITMAPS, bytes));
  EXPECT_FALSE(ReadDiskFile(TESSALANDER_TEST_BITMAPS "/no-such-file.bmp", bytes));
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
