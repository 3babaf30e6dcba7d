#include "engine/palette.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <vector>

#include "engine/dither.h"

namespace tessalander {

namespace {

int32_t Channel(uint32_t colour, int shift) { return static_cast<int32_t>(colour >> shift & 0xFF); }

int32_t Distance(uint32_t a, int32_t r, int32_t g, int32_t b) {
  const int32_t dr = Channel(a, 16) - r, dg = Channel(a, 8) - g, db = Channel(a, 0) - b;
  return dr * dr + dg * dg + db * db;
}

// What GDI draws for a colour in a surface of the palette's colours: the
// entry nearest to the middle of the colour's step of 8 levels (Wine's
// rgb_lookup_colortable, after Windows), the first of equally near ones.
uint32_t MatchedAtFiveBits(uint32_t colour) {
  const int32_t r = (Channel(colour, 16) & ~7) + 4;
  const int32_t g = (Channel(colour, 8) & ~7) + 4;
  const int32_t b = (Channel(colour, 0) & ~7) + 4;
  uint32_t best = kSaverPalette[0];
  for (uint32_t entry : kSaverPalette) {
    if (Distance(entry, r, g, b) < Distance(best, r, g, b)) best = entry;
  }
  return best;
}

bool InPalette(uint32_t colour) {
  for (uint32_t entry : kSaverPalette) {
    if (entry == colour) return true;
  }
  return false;
}

TEST(SaverPalette, EveryEntryIsDrawnAsItself) {
  const std::set<uint32_t> distinct(kSaverPalette.begin(), kSaverPalette.end());
  EXPECT_EQ(distinct.size(), kSaverPalette.size());
  EXPECT_LE(kSaverPaletteSize - kStaticColourCount, 236) << "the system palette's free entries";
  // The static colours where the system palette has them, black and white
  // among them.
  EXPECT_EQ(kSaverPalette.front(), 0x000000u);
  EXPECT_EQ(kSaverPalette[7], 0xC0C0C0u);
  EXPECT_EQ(kSaverPalette[kSaverPaletteSize - 7], 0xFF0000u);
  EXPECT_EQ(kSaverPalette.back(), 0xFFFFFFu);
  for (int32_t r = 0; r <= 255; r += kCubeStep) {
    for (int32_t g = 0; g <= 255; g += kCubeStep) {
      for (int32_t b = 0; b <= 255; b += kCubeStep) {
        EXPECT_TRUE(InPalette(static_cast<uint32_t>(r << 16 | g << 8 | b))) << r << "," << g << "," << b;
      }
    }
  }
  for (uint32_t entry : kSaverPalette) EXPECT_EQ(MatchedAtFiveBits(entry), entry) << std::hex << entry;
}

TEST(SaverPalette, NearestColour) {
  // colour | nearest entry
  const struct {
    uint32_t colour, nearest;
  } rows[] = {
      {0x000000, 0x000000}, {0xFFFFFF, 0xFFFFFF}, {0x800000, 0x800000},  // static
      {0xC0DCC0, 0xC0DCC0}, {0xA0A0A4, 0xA0A0A4}, {0x336699, 0x336699},  // static, cube
      {0x0C0C0C, 0x0C0C0C}, {0xF4F4F4, 0xF4F4F4},                        // greys
      {0x323232, 0x333333}, {0x0A0A0A, 0x0C0C0C}, {0x7F7F81, 0x808080},  // near greys
      {0x010204, 0x000000}, {0xC83228, 0xCC3333}, {0x80FF01, 0x99FF00},  // near the cube
      {0x7E0303, 0x800000}, {0xA5C8EE, 0xA6CAF0},                        // near static
  };
  for (const auto& row : rows) {
    EXPECT_EQ(NearestPaletteColour(Channel(row.colour, 16), Channel(row.colour, 8), Channel(row.colour, 0)),
              row.nearest)
        << std::hex << row.colour;
  }
}

// A width x height area of one colour, dithered.
std::vector<uint32_t> DitheredArea(uint32_t colour, int32_t width, int32_t height) {
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, colour);
  PaletteDither dither(width);
  EXPECT_TRUE(dither.Ready());
  for (int32_t y = 0; y < height; ++y) dither.Row(&pixels[static_cast<size_t>(y) * width]);
  return pixels;
}

TEST(PaletteDither, AreasComeOutInThePalettesColoursAndKeepTheirMean) {
  // colour | an entry, which comes out as itself everywhere
  const struct {
    uint32_t colour;
    bool entry;
  } rows[] = {
      {0x000000, true},  {0xFFFFFF, true},  {0x808080, true},  {0x336699, true}, {0x0C0C0C, true},
      {0x1A1A40, false}, {0xD06070, false}, {0x7F7F7F, false}, {0xFE01FE, false}, {0x2E7D32, false},
  };
  constexpr int32_t kSide = 64;
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << std::hex << row.colour);
    const std::vector<uint32_t> pixels = DitheredArea(row.colour | 0xAB000000u, kSide, kSide);
    int64_t sum[3] = {};
    for (uint32_t pixel : pixels) {
      ASSERT_TRUE(InPalette(pixel)) << std::hex << pixel;
      if (row.entry) {
        ASSERT_EQ(pixel, row.colour);
      }
      for (int c = 0; c < 3; ++c) sum[c] += Channel(pixel, 16 - 8 * c);
    }
    // The error is passed on, not lost: the mean is the colour's, but for what
    // the last row and column keep.
    for (int c = 0; c < 3; ++c) {
      EXPECT_NEAR(static_cast<double>(sum[c]) / (kSide * kSide), Channel(row.colour, 16 - 8 * c), 1.0)
          << "channel " << c;
    }
  }
}

// Hands out rows of its own, and copies each row away when the next is
// asked for, as the GDI surface sends its bands on.
struct SendingOutput final : ScalerOutput {
  explicit SendingOutput(PixelSize size) : width(size.width), row(size.width), sent(size.height) {}
  uint32_t* Row(int32_t y) override {
    if (y > 0) sent[y - 1] = row;
    last = y;
    return row.data();
  }
  void Flush() { sent[last] = row; }
  int32_t width;
  std::vector<uint32_t> row;
  std::vector<std::vector<uint32_t>> sent;
  int32_t last = 0;
};

struct GradientInput final : ScalerInput {
  explicit GradientInput(int32_t width) : row(static_cast<size_t>(width) * 4) {}
  const uint8_t* Row(int32_t y) override {
    for (size_t x = 0; x < row.size() / 4; ++x) {
      row[4 * x] = static_cast<uint8_t>(x * 3);       // blue
      row[4 * x + 1] = static_cast<uint8_t>(y * 5);   // green
      row[4 * x + 2] = static_cast<uint8_t>(x + y);   // red
    }
    return row.data();
  }
  std::vector<uint8_t> row;
};

TEST(PaletteDither, EachRowIsDitheredBeforeItIsSentOn) {
  constexpr PixelSize kSize = {40, 30};
  GradientInput input(kSize.width);
  SendingOutput sending(kSize);
  DitheringOutput dithering(sending, kSize.width);
  ASSERT_TRUE(ScalePicture(kSize, 4, input, kSize, dithering));
  dithering.Finish();
  sending.Flush();

  // The same rows, dithered after the scaler is done with them.
  GradientInput again(kSize.width);
  PaletteDither dither(kSize.width);
  for (int32_t y = 0; y < kSize.height; ++y) {
    std::vector<uint32_t> row(kSize.width);
    const uint8_t* bytes = again.Row(y);
    for (int32_t x = 0; x < kSize.width; ++x) {
      row[x] = static_cast<uint32_t>(bytes[4 * x + 2] << 16 | bytes[4 * x + 1] << 8 | bytes[4 * x]);
    }
    dither.Row(row.data());
    EXPECT_EQ(sending.sent[y], row) << "row " << y;
  }
}

TEST(SaverPalette, WhichPaletteAWindowUses) {
  // picture file | preview | palette | in the background
  const struct {
    bool picture, preview;
    PaletteKind kind;
    bool background;
  } rows[] = {
      {true, false, PaletteKind::Saver, false},
      {true, true, PaletteKind::Saver, true},
      {false, false, PaletteKind::Captured, false},
      {false, true, PaletteKind::Default, false},
  };
  for (const auto& row : rows) {
    const PaletteUse use = ChoosePalette(row.picture, row.preview);
    EXPECT_EQ(use.kind, row.kind) << row.picture << row.preview;
    EXPECT_EQ(use.background, row.background) << row.picture << row.preview;
  }
}

}  // namespace

}  // namespace tessalander
