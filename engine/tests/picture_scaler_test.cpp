#include "engine/picture_scaler.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace tessalander {

namespace {

// A picture as the scaler's input sees it, rows of 3 or 4 bytes a pixel; the
// fourth byte is noise that must not matter.
struct TestPicture {
  TestPicture(int32_t width, int32_t height, int bytesPerPixel, uint32_t seed)
      : Size{width, height},
        BytesPerPixel(bytesPerPixel),
        Bytes(static_cast<size_t>(width) * height * bytesPerPixel) {
    std::mt19937 random(seed);
    for (uint8_t& byte : Bytes) byte = static_cast<uint8_t>(random());
  }
  int Channel(int32_t x, int32_t y, int c) const {
    return Bytes[(static_cast<size_t>(y) * Size.width + x) * BytesPerPixel + c];
  }
  PixelSize Size;
  int BytesPerPixel;
  std::vector<uint8_t> Bytes;
};

struct Input final : ScalerInput {
  explicit Input(const TestPicture& p, int32_t failing = -1) : picture(p), failAt(failing) {}
  const uint8_t* Row(int32_t y) override {
    asked.push_back(y);
    if (y == failAt || y < 0 || y >= picture.Size.height) return nullptr;
    return &picture.Bytes[static_cast<size_t>(y) * picture.Size.width * picture.BytesPerPixel];
  }
  const TestPicture& picture;
  int32_t failAt;
  std::vector<int32_t> asked;
};

struct Output final : ScalerOutput {
  explicit Output(PixelSize wanted, int32_t failing = -1)
      : size(wanted),
        failAt(failing),
        pixels(static_cast<size_t>(wanted.width) * wanted.height, 0xFF000000u) {}
  uint32_t* Row(int32_t y) override {
    asked.push_back(y);
    if (y == failAt || y < 0 || y >= size.height) return nullptr;
    return &pixels[static_cast<size_t>(y) * size.width];
  }
  PixelSize size;
  int32_t failAt;
  std::vector<uint32_t> pixels;
  std::vector<int32_t> asked;
};

// The plain reference, in doubles: per axis, the weight of source pixel j in
// output pixel i. Shrinking: the part of j that i's span covers, over the
// span. Growing: the two pixels around i's centre, by distance; the edge
// pixel alone beyond the outermost centres.
std::vector<std::vector<double>> ReferenceWeights(int32_t from, int32_t to) {
  std::vector<std::vector<double>> w(to, std::vector<double>(from, 0.0));
  const double scale = static_cast<double>(from) / to;
  for (int32_t i = 0; i < to; ++i) {
    if (to <= from) {
      const double low = i * scale, high = (i + 1) * scale;
      for (int32_t j = 0; j < from; ++j) {
        const double overlap = std::min<double>(high, j + 1) - std::max<double>(low, j);
        if (overlap > 0) w[i][j] = overlap / scale;
      }
    } else {
      const double centre = (i + 0.5) * scale - 0.5;
      if (centre <= 0) {
        w[i][0] = 1;
      } else if (centre >= from - 1) {
        w[i][from - 1] = 1;
      } else {
        const auto j = static_cast<int32_t>(std::floor(centre));
        w[i][j] = 1 - (centre - j);
        w[i][j + 1] = centre - j;
      }
    }
  }
  return w;
}

// The exact value of every output channel, before rounding.
std::vector<double> ReferenceScale(const TestPicture& p, PixelSize to) {
  const auto across = ReferenceWeights(p.Size.width, to.width);
  const auto down = ReferenceWeights(p.Size.height, to.height);
  std::vector<double> out(static_cast<size_t>(to.width) * to.height * 3, 0.0);
  for (int32_t y = 0; y < to.height; ++y) {
    for (int32_t x = 0; x < to.width; ++x) {
      for (int c = 0; c < 3; ++c) {
        double sum = 0;
        for (int32_t sy = 0; sy < p.Size.height; ++sy) {
          if (down[y][sy] == 0) continue;
          for (int32_t sx = 0; sx < p.Size.width; ++sx) {
            sum += down[y][sy] * across[x][sx] * p.Channel(sx, sy, c);
          }
        }
        out[(static_cast<size_t>(y) * to.width + x) * 3 + c] = sum;
      }
    }
  }
  return out;
}

int ChannelOf(uint32_t pixel, int c) { return static_cast<int>((pixel >> (8 * c)) & 0xFF); }

// Scales the picture; the rows it read and wrote are in input.asked and
// output.asked.
Output Scale(const TestPicture& picture, PixelSize to, Input* input) {
  Output output(to);
  EXPECT_TRUE(ScalePicture(picture.Size, picture.BytesPerPixel, *input, to, output));
  return output;
}

TEST(PictureScaler, MatchesTheReferenceReadingAndWritingRowsOnce) {
  // what | from | to
  const struct {
    const char* what;
    PixelSize from, to;
  } rows[] = {
      {"same size", {9, 7}, {9, 7}},
      {"halved", {16, 12}, {8, 6}},
      {"shrunk by a fraction", {13, 11}, {5, 3}},
      {"shrunk a little", {100, 75}, {97, 73}},
      {"shrunk a lot", {640, 480}, {20, 15}},
      {"to one pixel", {31, 23}, {1, 1}},
      {"enlarged", {5, 4}, {17, 11}},
      {"enlarged from one pixel", {1, 1}, {3, 2}},
      {"enlarged a lot", {4, 3}, {256, 192}},
      {"wider, shorter", {7, 9}, {10, 4}},
      {"narrower, taller", {9, 5}, {4, 12}},
      {"4:3 onto 16:9", {64, 48}, {96, 54}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.what << ", " << row.from.width << "x" << row.from.height
                                    << " to " << row.to.width << "x" << row.to.height);
    const TestPicture wide(row.from.width, row.from.height, 4, 42);
    TestPicture narrow(row.from.width, row.from.height, 3, 0);
    for (size_t p = 0; p < narrow.Bytes.size() / 3; ++p) {
      for (int c = 0; c < 3; ++c) narrow.Bytes[3 * p + c] = wide.Bytes[4 * p + c];
    }
    Input wideInput(wide), narrowInput(narrow);
    const Output out = Scale(wide, row.to, &wideInput);
    EXPECT_EQ(Scale(narrow, row.to, &narrowInput).pixels, out.pixels) << "24-bit rows alike";

    // Rounding to the nearest level leaves at most half a level; the
    // fixed-point weights may add a little. The same size is a copy.
    const std::vector<double> exact = ReferenceScale(wide, row.to);
    double worst = 0;
    for (size_t p = 0; p < out.pixels.size(); ++p) {
      EXPECT_EQ(out.pixels[p] >> 24, 0u) << "pixel " << p << " is 0x00RRGGBB";
      for (int c = 0; c < 3; ++c)
        worst = std::max(worst, std::abs(ChannelOf(out.pixels[p], c) - exact[3 * p + c]));
    }
    EXPECT_LT(worst,
              row.from.width == row.to.width && row.from.height == row.to.height ? 1e-9 : 0.6);

    // Source rows from the top down, each once (a shrink reads all), output
    // rows in order.
    for (size_t i = 1; i < wideInput.asked.size(); ++i)
      EXPECT_LT(wideInput.asked[i - 1], wideInput.asked[i]);
    if (row.to.height <= row.from.height) {
      EXPECT_EQ(wideInput.asked.size(), static_cast<size_t>(row.from.height));
    }
    std::vector<int32_t> down(row.to.height);
    for (int32_t y = 0; y < row.to.height; ++y) down[y] = y;
    EXPECT_EQ(out.asked, down);

    // A plain colour stays exactly itself.
    TestPicture plain(row.from.width, row.from.height, 4, 1);
    for (size_t i = 0; i < plain.Bytes.size(); i += 4)
      plain.Bytes[i] = 0x12, plain.Bytes[i + 1] = 0xFF, plain.Bytes[i + 2] = 0;
    Input plainInput(plain);
    for (uint32_t pixel : Scale(plain, row.to, &plainInput).pixels) ASSERT_EQ(pixel, 0x00FF12u);
  }
}

TEST(PictureScaler, RefusesWhatItCannotScale) {
  const TestPicture picture(8, 6, 3, 3);
  // from | bytes per pixel | to | input row that fails | output row that fails
  const struct {
    const char* what;
    PixelSize from;
    int bytesPerPixel;
    PixelSize to;
    int32_t inputFails, outputFails;
  } rows[] = {
      {"empty source", {0, 6}, 3, {4, 3}, -1, -1},
      {"empty target", {8, 6}, 3, {4, 0}, -1, -1},
      {"negative target", {8, 6}, 3, {-4, 3}, -1, -1},
      {"16-bit pixels", {8, 6}, 2, {4, 3}, -1, -1},
      {"an unreadable source row", {8, 6}, 3, {4, 3}, 3, -1},
      {"an output row not given", {8, 6}, 3, {16, 12}, -1, 5},
  };
  for (const auto& row : rows) {
    Input input(picture, row.inputFails);
    Output output({16, 12}, row.outputFails);
    EXPECT_FALSE(ScalePicture(row.from, row.bytesPerPixel, input, row.to, output)) << row.what;
    if (row.inputFails >= 0) {
      EXPECT_EQ(input.asked.back(), row.inputFails) << row.what;
    }
    if (row.outputFails >= 0) {
      EXPECT_EQ(output.asked.back(), row.outputFails) << row.what;
    }
  }
}

}  // namespace

}  // namespace tessalander
