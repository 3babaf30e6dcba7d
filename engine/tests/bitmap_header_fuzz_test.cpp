// The kept bitmap files, mutated at random where the headers lie, cut short
// and lengthened, through the header check and on to the renderer's decoder.
// Each file and each header sits in a heap block of exactly its own size, so
// AddressSanitizer reports any read past it; UndefinedBehaviorSanitizer stops
// the test at any undefined arithmetic in the check or the decoder.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <iterator>
#include <memory>
#include <random>
#include <utility>
#include <vector>

#include "engine/bitmap_header.h"
#include "engine/memory/memory_surface_layer.h"
#include "engine/tests/support/kept_bitmaps.h"

namespace tessalander {

namespace {

std::vector<std::vector<uint8_t>> Seeds() {
  std::vector<std::vector<uint8_t>> seeds;
  for (auto& [name, file] : KeptBitmaps()) seeds.push_back(std::move(file.bytes));
  return seeds;
}

// Offsets of the header fields that steer the check, and values that probe
// their edges.
constexpr size_t kFieldOffsets[] = {2, 10, 14, 18, 20, 22, 24, 26, 28, 30, 34, 46, 54, 58, 62};
constexpr uint32_t kEdgeValues[] = {
    0,  1,   2,      4,      8,          12,         16,         24,         32,        40,
    64, 124, 0x7FFF, 0xFFFF, 0x7FFFFFFF, 0x80000000, 0x80000001, 0xFFFFFFFF, 0xFFFFFFFE};

// Writes a little-endian field, as much of it as lies inside the file.
void PutField(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (size_t b = 0; b < 4 && at + b < bytes.size(); ++b) {
    bytes[at + b] = static_cast<uint8_t>(value >> (8 * b));
  }
}

void Mutate(std::vector<uint8_t>& bytes, std::mt19937& random) {
  const int changes = 1 + static_cast<int>(random() % 3);
  for (int i = 0; i < changes; ++i) {
    switch (random() % 5) {
      case 0:  // any byte of the headers
        if (!bytes.empty()) {
          bytes[random() % std::min<size_t>(bytes.size(), 64)] = static_cast<uint8_t>(random());
        }
        break;
      case 1:  // a field at an edge value
        PutField(bytes, kFieldOffsets[random() % std::size(kFieldOffsets)],
                 kEdgeValues[random() % std::size(kEdgeValues)]);
        break;
      case 2:  // the data offset or the stored data size near the file's size
        PutField(bytes, random() % 2 == 0 ? 10 : 34,
                 static_cast<uint32_t>(bytes.size() + random() % 9 - 4));
        break;
      case 3:  // cut short
        bytes.resize(random() % (bytes.size() + 1));
        break;
      default:  // lengthened
        bytes.resize(bytes.size() + random() % 64, static_cast<uint8_t>(random()));
        break;
    }
  }
}

TEST(BitmapHeaderFuzz, MutatedFilesStayInsideTheirBuffersAndDecodeSafely) {
  const std::vector<std::vector<uint8_t>> seeds = Seeds();
  ASSERT_FALSE(seeds.empty());
  std::mt19937 random(20261207);
  constexpr int kFiles = 30000;
  int possible = 0;
  for (int i = 0; i < kFiles; ++i) {
    std::vector<uint8_t> bytes = seeds[random() % seeds.size()];
    Mutate(bytes, random);

    const size_t size = bytes.size();
    auto file = std::make_unique<uint8_t[]>(size);
    std::copy(bytes.begin(), bytes.end(), file.get());
    BitmapLayout layout;
    bool verdict = ReadBitmapLayout(file.get(), size, size, &layout);

    // The check reads no more than the header bytes: given only those, in a
    // block of their size, it says the same.
    const size_t headSize = std::min(size, kBitmapHeaderBytes);
    auto head = std::make_unique<uint8_t[]>(headSize);
    std::copy(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(headSize), head.get());
    BitmapLayout fromHead;
    ASSERT_EQ(ReadBitmapLayout(head.get(), headSize, size, &fromHead), verdict) << "file " << i;
    if (!verdict) continue;
    // An RLE stream is walked within its own block, as the .scr reads it.
    if (layout.compression == kBiRle8 || layout.compression == kBiRle4) {
      const auto streamSize = static_cast<size_t>(layout.dataBytes);
      auto stream = std::make_unique<uint8_t[]>(streamSize);
      std::copy_n(file.get() + layout.dataOffset, streamSize, stream.get());
      verdict = WalkRleStream(layout, stream.get(), streamSize);
    }
    if (!verdict) continue;
    ++possible;

    // What the check lets through, the decoder must survive.
    MemorySurfaceLayer layer([&](const std::string&, std::vector<uint8_t>& out) {
      out = bytes;
      return true;
    });
    Picture picture = layer.LoadPicture("fuzz.bmp");
    layer.ReleasePicture(picture);
  }
  // Enough of the files get through to exercise the decoder, and enough are
  // refused to exercise the check.
  EXPECT_GT(possible, kFiles / 20);
  EXPECT_LT(possible, kFiles * 19 / 20);
}

}  // namespace

}  // namespace tessalander
