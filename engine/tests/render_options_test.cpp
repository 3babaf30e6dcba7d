#include "engine/tools/render_options.h"

#include <gtest/gtest.h>

namespace tessalander {

namespace {

TEST(RenderOptions, AcceptedLines) {
  std::string error;
  const auto options = ParseRenderOptions(
      {"--screen", "800x600", "--picture", "a.bmp", "--speed", "4", "--backcolor", "2", "--seed",
       "1700000000-1700000002", "--ticks", "0,5,10-12", "--work", "--out", "frames", "--bmpfile",
       "C:\\p.bmp"},
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
  EXPECT_EQ(options->OutDir, "frames");
  EXPECT_EQ(options->BmpFile, "C:\\p.bmp");
}

TEST(RenderOptions, RejectedLines) {
  const std::vector<std::vector<std::string>> lines = {
      {"--screen", "800"},        {"--screen", "0x600"},      {"--screen", "99999x10"},
      {"--speed"},                {"--speed", "-1"},          {"--speed", "x"},
      {"--ticks", "5-3"},         {"--ticks", "1,,2"},        {"--ticks", "-4"},
      {"--seed", "9-1"},          {"--seed", "1-5000"},       {"--colour", "red"},
      {"picture.bmp"},            {"--pattern", "p.bmp"},     {"--pattern", "p.bmp", "3y4"},
  };
  for (const auto& line : lines) {
    std::string error;
    EXPECT_FALSE(ParseRenderOptions(line, &error)) << line[0] << " " << (line.size() > 1 ? line[1] : "");
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace

}  // namespace tessalander
