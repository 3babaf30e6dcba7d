#include "tools/render_options.h"

#include <gtest/gtest.h>

namespace tessalander {

namespace {

TEST(RenderOptions, AcceptedLines) {
  std::string error;
  const auto options = ParseRenderOptions(
      {"--screen", "800x600", "--picture", "a.bmp", "--speed", "4", "--backcolor", "2", "--seed",
       "1700000000-1700000002", "--ticks", "0,5,10-12", "--work", "--out", "frames", "--bmpfile",
       "C:\\p.bmp", "--colours", "256"},
      &error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->Screen.width, 800);
  EXPECT_EQ(options->Screen.height, 600);
  EXPECT_EQ(options->PicturePath, "a.bmp");
  EXPECT_EQ(options->Codes, (std::map<std::string, uint32_t>{{"speed", 4}, {"backcolor", 2}}));
  EXPECT_EQ(options->FirstSeed, 1700000000);
  EXPECT_EQ(options->LastSeed, 1700000002);
  EXPECT_EQ(options->Ticks, (std::set<int64_t>{0, 5, 10, 11, 12}));
  EXPECT_TRUE(options->Work);
  EXPECT_TRUE(options->PaletteDisplay);
  EXPECT_EQ(options->OutDir, "frames");
  EXPECT_EQ(options->BmpFile, "C:\\p.bmp");
}

TEST(RenderOptions, MonitorLayouts) {
  // --monitors | monitors (left, top, right, bottom), none when rejected
  const struct {
    const char* text;
    std::vector<ScreenRect> monitors;
  } rows[] = {
      {"1024x768+0+0,800x600+1024+0", {{0, 0, 1024, 768}, {1024, 0, 1824, 600}}},
      {"1024x768+0+0,800x600-800+0", {{0, 0, 1024, 768}, {-800, 0, 0, 600}}},
      {"1920x1080+0+0,1280x1024+240-1024", {{0, 0, 1920, 1080}, {240, -1024, 1520, 0}}},
      {"640x480+0+0", {{0, 0, 640, 480}}},
      {"800x600-800+0,1024x768+0+0", {}},  // the primary first, at the origin
      {"1024x768+0+0,800x600+-800+0", {}},
      {"1024x768+0+0,800x600+1024", {}},
      {"1024x768+0+0,", {}},
      {"1024x768", {}},
      {"1024x768+0+0,16384x600+1024+0", {}},  // the virtual screen over 16384 wide
      {"1024x768+0+0,0x600+1024+0", {}},
  };
  for (const auto& row : rows) {
    std::string error;
    const auto options = ParseRenderOptions({"--monitors", row.text}, &error);
    SCOPED_TRACE(row.text);
    ASSERT_EQ(options.has_value(), !row.monitors.empty()) << error;
    if (!options) continue;
    ASSERT_EQ(options->Monitors.size(), row.monitors.size());
    for (size_t i = 0; i < row.monitors.size(); ++i) {
      const ScreenRect& got = options->Monitors[i];
      const ScreenRect& want = row.monitors[i];
      EXPECT_EQ(std::vector<int32_t>({got.left, got.top, got.right, got.bottom}),
                std::vector<int32_t>({want.left, want.top, want.right, want.bottom}));
    }
  }
  std::string error;
  EXPECT_FALSE(ParseRenderOptions({"--screen", "800x600", "--monitors", "800x600+0+0"}, &error));
  EXPECT_FALSE(ParseRenderOptions({"--monitors", "800x600+0+0", "--screen", "800x600"}, &error));
}

TEST(RenderOptions, RejectedLines) {
  const std::vector<std::vector<std::string>> lines = {
      {"--screen", "800"},        {"--screen", "0x600"},      {"--screen", "99999x10"},
      {"--speed"},                {"--speed", "-1"},          {"--speed", "x"},
      {"--ticks", "5-3"},         {"--ticks", "1,,2"},        {"--ticks", "-4"},
      {"--seed", "9-1"},          {"--seed", "1-5000"},       {"--colour", "red"},
      {"picture.bmp"},            {"--pattern", "p.bmp"},     {"--pattern", "p.bmp", "3y4"},
      {"--colours", "16"},        {"--colours"},
  };
  for (const auto& line : lines) {
    std::string error;
    EXPECT_FALSE(ParseRenderOptions(line, &error)) << line[0] << " " << (line.size() > 1 ? line[1] : "");
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace

}  // namespace tessalander
