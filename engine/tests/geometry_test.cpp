#include "engine/geometry.h"

#include <gtest/gtest.h>

#include "engine/puzzle_state.h"
#include "settings/memory/memory_registry.h"
#include "settings/settings_store.h"

namespace tessalander {

namespace {

struct WorkedValues {
  int32_t screenWidth;
  int32_t blockSize;
  int32_t stepDivisor;
  int32_t slideStep[4];  // speed codes 1 / 2 / 3 / 4
};

// Screen width | BlockSize | StepDivisor | SlideStep for codes 1 / 2 / 3 / 4
const WorkedValues kWorkedValues[] = {
    {640, 80, 16, {5, 10, 20, 40}},     {800, 100, 20, {5, 10, 25, 50}},
    {1024, 128, 16, {8, 16, 32, 64}},   {1280, 160, 16, {10, 20, 40, 80}},
    {1440, 180, 20, {9, 18, 45, 90}},   {1600, 200, 20, {10, 20, 50, 100}},
    {1920, 240, 16, {15, 30, 60, 120}}, {1366, 170, 8, {21, 42, 42, 85}},
    {1680, 210, 8, {26, 52, 52, 105}},
};

TEST(Geometry, WorkedValuesTable) {
  for (const auto& row : kWorkedValues) {
    SCOPED_TRACE(row.screenWidth);
    const int32_t block = BlockSizeForScreenWidth(row.screenWidth);
    EXPECT_EQ(block, row.blockSize);
    EXPECT_EQ(StepDivisor(block), row.stepDivisor);
    for (int code = 1; code <= 4; ++code) {
      EXPECT_EQ(SlideStepFor(block, code), row.slideStep[code - 1]) << "speed " << code;
    }
  }
}

TEST(Geometry, UnknownSpeedCodesActAsNormal) {
  for (int32_t code : {-1, 0, 5, 9, -7, 0x7FFFFFFF}) {
    EXPECT_EQ(SlideStepFor(128, code), 16) << code;
    EXPECT_EQ(SlideStepFor(170, code), 42) << code;
  }
}

TEST(Geometry, ShuffleCountTable) {
  // shufflenum code -> ShuffleCount (moves made = ShuffleCount + 1)
  const struct {
    int32_t code;
    int32_t shuffleCount;
  } rows[] = {{1, 130}, {2, 200}, {3, 512}, {4, 4095}, {-1, 200}, {0, 200}, {5, 200}, {9, 200}};
  for (const auto& row : rows) EXPECT_EQ(ShuffleCountFor(row.code), row.shuffleCount) << row.code;
  EXPECT_EQ(ShuffleCountFor(4) + 1, kMoveHistorySize) << "the largest walk fills the history";
}

TEST(Geometry, TinyScreensNeverDivideByZero) {
  for (int32_t width : {0, 1, 7, 8, 15}) {
    const int32_t block = BlockSizeForScreenWidth(width);
    EXPECT_GE(StepDivisor(block), 8);
    for (int code = -1; code <= 5; ++code) EXPECT_GE(SlideStepFor(block, code), 0);
    EXPECT_EQ(GridFor(0, width, 100).columns, 0);
  }
}

TEST(Geometry, BlocksOfAPixelOrMoreAlwaysMove) {
  // Below 8 pixels the quotients are 0; a step of 0 would never reach the slot.
  // block | speed code | SlideStep
  const struct {
    int32_t block, code, step;
  } rows[] = {{7, 1, 1}, {6, 2, 1}, {6, -1, 1}, {6, 3, 1}, {6, 4, 3},
              {1, 4, 1}, {3, 3, 1}, {8, 1, 1}, {0, 2, 0}, {0, 4, 0}};
  for (const auto& row : rows) {
    EXPECT_EQ(SlideStepFor(row.block, row.code), row.step) << row.block << " code " << row.code;
  }
}

TEST(Geometry, GridOfWholeCells) {
  const struct {
    int32_t width, height, columns, rows;
  } rows[] = {{640, 480, 8, 6},  {800, 600, 8, 6},   {1024, 768, 8, 6}, {1600, 1200, 8, 6},
              {1280, 1024, 8, 6}, {1366, 768, 8, 4}, {1920, 1080, 8, 4}, {1920, 400, 8, 1}};
  for (const auto& row : rows) {
    const Grid grid = GridFor(BlockSizeForScreenWidth(row.width), row.width, row.height);
    EXPECT_EQ(grid.columns, row.columns) << row.width << "x" << row.height;
    EXPECT_EQ(grid.rows, row.rows) << row.width << "x" << row.height;
  }
}

TEST(Geometry, OppositeDirections) {
  EXPECT_TRUE(AreOpposite(HoleUp, HoleDown));
  EXPECT_TRUE(AreOpposite(HoleLeft, HoleRight));
  EXPECT_FALSE(AreOpposite(HoleUp, HoleUp));
  EXPECT_FALSE(AreOpposite(HoleUp, HoleLeft));
  EXPECT_FALSE(AreOpposite(0, HoleDown));
}

TEST(PuzzleParameters, ReadFromTheStore) {
  struct NoAlert final : Alert {
    void Show(const char*) override {}
  } alert;
  MemoryRegistry registry;
  SettingsStore store{registry, alert};
  PuzzleState state;
  EXPECT_EQ(state.PhaseCounter, 150);
  ComputePuzzleParameters(state, 128, ReadSaverSettings(store));
  EXPECT_EQ(state.SlideStep, 16);
  EXPECT_EQ(state.ShuffleCount, 200);

  registry.PutDword(kSettingsKeyPath, kSpeed, 4);
  registry.PutDword(kSettingsKeyPath, kShuffleNum, 3);
  ComputePuzzleParameters(state, 128, ReadSaverSettings(store));
  EXPECT_EQ(state.SlideStep, 64);
  EXPECT_EQ(state.ShuffleCount, 512);
}

}  // namespace

}  // namespace tessalander
