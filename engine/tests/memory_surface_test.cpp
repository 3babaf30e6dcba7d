#include "engine/memory/memory_surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/dither.h"
#include "engine/memory/image_files.h"
#include "engine/memory/memory_surface_layer.h"
#include "engine/tests/support/engine_test_support.h"

namespace tessalander {

namespace {

// The copy a reference implementation makes: through a temporary, pixel by
// pixel, skipping every pixel outside either image.
MemorySurface ReferenceCopy(const MemorySurface& dest, int32_t x, int32_t y, int32_t w, int32_t h,
                            const MemorySurface& source, int32_t sx, int32_t sy) {
  MemorySurface out = dest;
  const MemorySurface before = source;
  for (int32_t row = 0; row < h; ++row) {
    for (int32_t column = 0; column < w; ++column) {
      const int32_t dx = x + column, dy = y + row, fx = sx + column, fy = sy + row;
      if (dx < 0 || dy < 0 || dx >= out.Width || dy >= out.Height) continue;
      if (fx < 0 || fy < 0 || fx >= before.Width || fy >= before.Height) continue;
      out.At(dx, dy) = before.At(fx, fy);
    }
  }
  return out;
}

struct CopyRow {
  const char* what;
  int32_t x, y, w, h, sx, sy;
};

TEST(MemorySurface, CopiesClipToBothImages) {
  const CopyRow rows[] = {
      {"inside", 5, 5, 10, 10, 20, 20},       {"dest left/top", -4, -3, 10, 10, 0, 0},
      {"dest right/bottom", 35, 25, 20, 20, 0, 0}, {"source off the left", 0, 0, 10, 10, -6, 2},
      {"source past the end", 0, 0, 30, 30, 25, 20}, {"both clipped", -5, 30, 60, 60, -7, -9},
      {"nothing left", 50, 50, 10, 10, 0, 0},   {"empty", 0, 0, 0, 10, 0, 0},
      {"negative size", 0, 0, -5, 5, 0, 0},
  };
  const MemorySurface source = MakeTestPattern(30, 25, 7);
  for (const CopyRow& r : rows) {
    MemorySurface dest(40, 32, 0x123456);
    const MemorySurface expected = ReferenceCopy(dest, r.x, r.y, r.w, r.h, source, r.sx, r.sy);
    CopyPixels(dest, r.x, r.y, r.w, r.h, source, r.sx, r.sy);
    EXPECT_EQ(DifferingPixels(dest, expected), 0) << r.what;
  }
}

// At 32 bits the sides' product wrapped to a buffer of one pixel.
TEST(MemorySurface, MorePixelsThanABufferHoldsFailToAllocate) {
  EXPECT_THROW(MemorySurface(INT32_MAX, INT32_MAX), std::length_error);
}

TEST(MemorySurface, OverlappingCopiesWithinOneImage) {
  const CopyRow rows[] = {
      {"right", 7, 0, 30, 20, 0, 0},  {"left", 0, 0, 30, 20, 7, 0},  {"down", 0, 5, 30, 20, 0, 0},
      {"up", 0, 0, 30, 20, 0, 5},     {"down-right", 3, 4, 40, 40, 0, 0},
      {"up-left", 0, 0, 40, 40, 3, 4}, {"onto itself", 2, 2, 10, 10, 2, 2},
  };
  for (const CopyRow& r : rows) {
    MemorySurface image = MakeTestPattern(40, 30, 3);
    const MemorySurface expected = ReferenceCopy(image, r.x, r.y, r.w, r.h, image, r.sx, r.sy);
    CopyPixels(image, r.x, r.y, r.w, r.h, image, r.sx, r.sy);
    EXPECT_EQ(DifferingPixels(image, expected), 0) << r.what;
  }
}

TEST(MemorySurface, FillsClipAndUseTheSelectedBrush) {
  MemorySurfaceLayer layer;
  MemorySurface image(20, 10, 0x777777);
  Canvas canvas = AsCanvas(&image);
  layer.Fill(canvas, 15, 5, 10, 10);  // a fresh context holds the white brush
  EXPECT_TRUE(IsUniform(image, 15, 5, 5, 5, kWhite));
  EXPECT_TRUE(IsUniform(image, 0, 0, 15, 10, 0x777777));
  layer.SelectBrush(canvas, Brush::Black);
  layer.Fill(canvas, -3, -3, 5, 5);
  EXPECT_TRUE(IsUniform(image, 0, 0, 2, 2, kBlack));
  EXPECT_EQ(image.At(2, 2), 0x777777u);
}

// A picture drawn at its own size is copied, cut at the surface's edges; at
// another size it is the scaler's, which must fit the surface.
TEST(MemorySurfaceLayer, DrawsPicturesCopiedOrScaled) {
  const std::vector<uint8_t> file = PatternBmp(40, 30, 9);
  MemorySurfaceLayer layer([&](const std::string&, std::vector<uint8_t>& bytes) {
    bytes = file;
    return true;
  });
  const MemorySurface pattern = MakeTestPattern(40, 30, 9);
  // Into a surface of the saver's palette, the whole picture dithered.
  MemorySurface dithered = pattern;
  PaletteDither dither(dithered.Width);
  for (int32_t y = 0; y < dithered.Height; ++y) dither.Row(&dithered.At(0, y));
  // surface | drawn at | of the saver's palette | drawn | scaled
  const struct {
    PixelSize surface, size;
    bool palette, drawn, scaled;
  } rows[] = {
      {{40, 30}, {40, 30}, false, true, false}, {{25, 20}, {40, 30}, false, true, false},
      {{64, 48}, {40, 30}, false, true, false}, {{80, 60}, {80, 60}, false, true, true},
      {{80, 60}, {20, 15}, false, true, true},  {{20, 15}, {80, 60}, false, false, true},
      {{40, 30}, {40, 30}, true, true, false},  {{25, 20}, {40, 30}, true, true, false},
      {{80, 60}, {80, 60}, true, true, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.size.width << "x" << row.size.height << " into "
                                    << row.surface.width << "x" << row.surface.height
                                    << (row.palette ? ", dithered" : ""));
    Picture picture = layer.LoadPicture("p.bmp");
    MemorySurface surface(row.surface.width, row.surface.height, 0x777777);
    if (row.palette) surface.Palette = PaletteKind::Saver;
    const int scalings = layer.Scalings;
    EXPECT_EQ(layer.DrawPicture(AsCanvas(&surface), row.size.width, row.size.height, picture),
              row.drawn);
    EXPECT_EQ(layer.Scalings - scalings, row.scaled ? 1 : 0);
    if (row.drawn && !row.scaled) {
      MemorySurface expected(row.surface.width, row.surface.height, 0x777777);
      CopyPixels(expected, 0, 0, 40, 30, row.palette ? dithered : pattern, 0, 0);
      EXPECT_EQ(DifferingPixels(surface, expected), 0);
    }
    if (row.drawn && row.palette) {
      for (int32_t y = 0; y < std::min(row.size.height, row.surface.height); ++y) {
        for (int32_t x = 0; x < std::min(row.size.width, row.surface.width); ++x) {
          const auto pixel = static_cast<int32_t>(surface.At(x, y));
          ASSERT_EQ(NearestPaletteColour(pixel >> 16, pixel >> 8 & 0xFF, pixel & 0xFF), surface.At(x, y))
              << "a colour of the palette";
        }
      }
    }
    if (row.drawn && row.scaled) {
      EXPECT_FALSE(IsUniform(surface, 0, 0, row.size.width, row.size.height, 0x777777));
    }
    layer.ReleasePicture(picture);
  }
  EXPECT_EQ(layer.LiveObjects(), 0u);
}

TEST(MemorySurfaceLayer, LoadsBitmapsOnly) {
  const std::string longest(kPictureNameSize - 1, 'p');
  std::map<std::string, std::vector<uint8_t>> files = {
      {"pic.bmp", PatternBmp(64, 48, 9)},
      {"photo.png", {0x89, 'P', 'N', 'G', 13, 10, 26, 10}},
      {"cut.bmp", {'B', 'M', 0, 0}},
      {longest, PatternBmp(64, 48, 9)},
      {longest + "p", PatternBmp(64, 48, 9)},
  };
  MemorySurfaceLayer layer([&](const std::string& path, std::vector<uint8_t>& bytes) {
    if (files.count(path) == 0) return false;
    bytes = files[path];
    return true;
  });
  // path | loads
  const struct {
    std::string path;
    bool loads;
  } rows[] = {
      {"pic.bmp", true},    {"missing.bmp", false}, {"photo.png", false},
      {"cut.bmp", false},   {longest, true},        {longest + "p", false},  // too long for the name
  };
  for (const auto& row : rows) {
    Picture picture = layer.LoadPicture(row.path.c_str());
    EXPECT_EQ(picture != nullptr, row.loads) << row.path;
    if (picture == nullptr) continue;
    PixelSize size;
    ASSERT_TRUE(layer.PictureSize(picture, &size));
    EXPECT_EQ(size.width, 64) << row.path;
    EXPECT_EQ(size.height, 48) << row.path;
    EXPECT_EQ(DifferingPixels(*AsSurface(picture), MakeTestPattern(64, 48, 9)), 0);
    layer.ReleasePicture(picture);
  }
  EXPECT_EQ(layer.LiveObjects(), 0u);
}

}  // namespace

namespace {

TEST(TestPattern, EveryPixelItsOwnColourAndNoneBlackOrWhite) {
  MemorySurface pattern = MakeTestPattern(1024, 768, 0x808080);
  std::vector<uint32_t> colours = pattern.Pixels;
  std::sort(colours.begin(), colours.end());
  EXPECT_EQ(std::unique(colours.begin(), colours.end()), colours.end());
  pattern = MakeTestPattern(3840, 1920, 0x808080);
  EXPECT_EQ(std::count(pattern.Pixels.begin(), pattern.Pixels.end(), kBlack), 0);
  EXPECT_EQ(std::count(pattern.Pixels.begin(), pattern.Pixels.end(), kWhite), 0);
}

}  // namespace

}  // namespace tessalander
