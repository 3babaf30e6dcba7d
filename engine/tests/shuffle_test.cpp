#include "engine/shuffle.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iostream>
#include <string>

#include "engine/tests/support/engine_test_support.h"
#include "engine/tests/support/move_by_move_shuffle.h"

namespace tessalander {

namespace {

// An engine on a screen of the given size with only the walk's inputs set
// (the walk draws nothing, so the simulated display stays tiny).
struct WalkFixture {
  WalkFixture(int32_t width, int32_t height, int32_t shuffleCount)
      : saver({8, 8}) {
    saver.Engine.BlockSize = BlockSizeForScreenWidth(width);
    saver.Engine.ScreenWidth = width;
    saver.Engine.ScreenHeight = height;
    saver.Engine.State.ShuffleCount = shuffleCount;
  }
  PuzzleState& State() { return saver.Engine.State; }
  MemorySaver saver;
};

TEST(Shuffle, SeedOneOnEightHundredBySixHundred) {
  WalkFixture walk(800, 600, 7);  // eight moves
  SeedRandom(walk.saver.Engine.Random, 1);
  WalkEmptySlot(walk.saver.Engine);
  const uint8_t expected[] = {HoleDown, HoleRight, HoleUp,   HoleLeft,
                              HoleDown, HoleDown,  HoleDown, HoleRight};
  EXPECT_EQ(std::memcmp(walk.State().MoveHistory, expected, sizeof expected), 0);
  EXPECT_EQ(walk.State().MoveHistory[8], 0) << "nothing written past the last move";
  EXPECT_EQ(walk.State().HoleX, 100);
  EXPECT_EQ(walk.State().HoleY, 300);
  EXPECT_EQ(walk.State().MoveIndex, 7);
}

struct Screen {
  int32_t width, height;
};
const Screen kScreens[] = {{640, 480},  {800, 600},  {1024, 768},
                           {1280, 1024}, {1366, 768}, {1920, 1080}};

TEST(Shuffle, WalkInvariantsOverSeedsAndScreens) {
  for (const Screen& screen : kScreens) {
    for (int32_t count : {130, 200, 512, 4095}) {
      for (uint32_t seed = 0; seed < 60; ++seed) {
        WalkFixture walk(screen.width, screen.height, count);
        PuzzleState& s = walk.State();
        std::memset(s.MoveHistory, 0xEE, sizeof s.MoveHistory);
        SeedRandom(walk.saver.Engine.Random, seed * 7919u + 3u);
        WalkEmptySlot(walk.saver.Engine);
        SCOPED_TRACE(testing::Message() << screen.width << "x" << screen.height << " count "
                                        << count << " seed " << seed);
        ASSERT_EQ(s.MoveIndex, count);
        ASSERT_TRUE(s.MoveHistory[0] == HoleRight || s.MoveHistory[0] == HoleDown);
        const int32_t block = walk.saver.Engine.BlockSize;
        int32_t x = 0, y = 0;
        for (int32_t i = 0; i < kMoveHistorySize; ++i) {
          const int move = s.MoveHistory[i];
          if (i > count) {
            ASSERT_EQ(move, 0xEE) << "entry " << i << " written";
            continue;
          }
          ASSERT_GE(move, HoleUp);
          ASSERT_LE(move, HoleLeft);
          if (i > 0) {
            ASSERT_FALSE(AreOpposite(move, s.MoveHistory[i - 1])) << "entry " << i;
          }
          x += move == HoleRight ? block : move == HoleLeft ? -block : 0;
          y += move == HoleDown ? block : move == HoleUp ? -block : 0;
          ASSERT_TRUE(x >= 0 && x <= screen.width - block && y >= 0 && y <= screen.height - block)
              << "slot off the grid after entry " << i;
        }
        ASSERT_EQ(x, s.HoleX);
        ASSERT_EQ(y, s.HoleY);
      }
    }
  }
}

// Runs the shuffle tick on a saver and keeps what it left in WorkSurface and
// on the window; then scrambles WorkSurface again from the picture by
// replaying the same walk move by move, for the two to be compared.
struct TwinShuffle {
  TwinShuffle(Screen screen, uint32_t shuffleCode, int64_t second)
      : picture(MakeTestPattern(screen.width, screen.height, 0x10101)),
        saver({screen.width, screen.height}) {
    GivePicture(saver, screen.width, screen.height, 0x10101);
    saver.SetCode(kShuffleNum, shuffleCode);
    saver.Window.StartSeconds = second;
    saver.Create();
    saver.Tick();
    PuzzleEngine& engine = saver.Engine;
    byPermutation = Pixels(engine.WorkSurface);
    shownByPermutation = saver.Window.Client;
    SurfaceLayer& surfaces = *engine.Surfaces;
    surfaces.Copy(engine.WorkSurface, 0, 0, screen.width, screen.height, AsCanvas(&picture), 0, 0);
    CopyWalkMoveByMove(engine, 0, 0);  // the first walk starts in the top-left cell
    surfaces.Fill(engine.WorkSurface, engine.State.HoleX, engine.State.HoleY, engine.BlockSize,
                  engine.BlockSize);
  }
  const MemorySurface& ByWalk() const { return Pixels(saver.Engine.WorkSurface); }
  MemorySurface picture;  // what GivePicture gives the saver
  MemorySaver saver;
  MemorySurface byPermutation;       // WorkSurface after the saver's own shuffle
  MemorySurface shownByPermutation;  // the window after it
};

// screen | shufflenum code | seeds. The miniatures have the real screens'
// grids (and bands below the last row) with 8-pixel blocks, so that many
// seeds stay cheap.
struct TwinRow {
  Screen screen;
  uint32_t code;
  int seeds;
};

const TwinRow kTwinRows[] = {
    {{640, 480}, 4, 2},  {{800, 600}, 2, 2},  {{1024, 768}, 3, 2}, {{1280, 1024}, 2, 2},
    {{1366, 768}, 4, 1}, {{1920, 1080}, 1, 2},
    {{64, 48}, 1, 150},  {{64, 48}, 4, 150},  {{64, 51}, 2, 150},  {{64, 51}, 4, 100},
    {{64, 36}, 3, 150},  {{64, 36}, 4, 100},  {{64, 64}, 4, 100},  {{64, 16}, 4, 100},
    {{64, 127}, 4, 100},
};

// One test per row, so that CTest spreads the rows over the cores.
class PermutationAgainstTheWalk : public testing::TestWithParam<TwinRow> {};

TEST_P(PermutationAgainstTheWalk, GivesTheSamePixels) {
  const TwinRow& row = GetParam();
  for (int seed = 0; seed < row.seeds; ++seed) {
    TwinShuffle twin(row.screen, row.code, 1700000000 + seed * 101);
    const PuzzleEngine& engine = twin.saver.Engine;
    SCOPED_TRACE(testing::Message() << row.screen.width << "x" << row.screen.height << " code "
                                    << row.code << " seed " << seed);
    ASSERT_EQ(engine.State.PhaseCounter, 1);
    ASSERT_EQ(DifferingPixels(twin.byPermutation, twin.ByWalk()), 0);
    ASSERT_EQ(DifferingPixels(twin.shownByPermutation, twin.ByWalk()), 0);
    // Below the last row (64 pixels on 1280 x 1024) nothing moves.
    const int32_t band = engine.ScreenHeight % engine.BlockSize;
    ASSERT_EQ(DifferingPixels(twin.byPermutation, twin.picture, 0, engine.ScreenHeight - band,
                              engine.ScreenWidth, band), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Shuffle, PermutationAgainstTheWalk, testing::ValuesIn(kTwinRows),
                         [](const testing::TestParamInfo<TwinRow>& param) {
                           const TwinRow& row = param.param;
                           return std::to_string(row.screen.width) + "x" +
                                  std::to_string(row.screen.height) + "_code" +
                                  std::to_string(row.code);
                         });

TEST(Shuffle, PermutationCopiesEachCellAboutOnce) {
  // 8 x 6 cells; ShuffleCount 4095. Copies = displaced cells + closed cycles.
  int64_t copies = 0, worst = 0, walks = 0;
  for (uint32_t seed = 0; seed < 500; ++seed) {
    MemorySaver saver({64, 48});  // 8-pixel blocks: the count does not depend on their size
    saver.SetCode(kShuffleNum, 4);
    saver.Create();
    PuzzleEngine& engine = saver.Engine;
    SeedRandom(engine.Random, seed);
    WalkEmptySlot(engine);
    const int32_t n = CopyWalkAsPermutation(engine, 0, 0);
    ASSERT_LE(n, 48 + 48 / 2) << "seed " << seed;
    copies += n;
    worst = std::max<int64_t>(worst, n);
    ++walks;
  }
  const double mean = static_cast<double>(copies) / static_cast<double>(walks);
  std::cout << "permutation copies per shuffle of 4096 moves on 48 cells: mean " << mean
            << ", worst " << worst << "\n";
  EXPECT_LT(mean, 48 * 1.15);
}

TEST(Shuffle, LeavesTheSlotFilledAndTheWindowShowingWorkSurface) {
  // backcolor | fill colour of the slot over a picture file
  const struct {
    uint32_t backColor;
    uint32_t fill;
  } rows[] = {{2, kBlack}, {1, kWhite}};
  for (const auto& row : rows) {
    MemorySaver saver({1024, 768});
    GivePicture(saver, 1024, 768);
    saver.SetCode(kBackColor, row.backColor);
    saver.Create();
    saver.Tick();
    const PuzzleState& s = saver.Engine.State;
    EXPECT_EQ(s.MoveIndex, 200);
    EXPECT_EQ(s.SlideOffsetX, 128);
    EXPECT_EQ(s.SlideOffsetY, 0);
    EXPECT_EQ(s.OriginDeltaX, 0);
    EXPECT_EQ(s.OriginDeltaY, 0);
    EXPECT_EQ(s.PhaseCounter, 1);
    const MemorySurface& work = Pixels(saver.Engine.WorkSurface);
    EXPECT_TRUE(IsUniform(work, s.HoleX, s.HoleY, 128, 128, row.fill));
    EXPECT_EQ(DifferingPixels(saver.Window.Client, work), 0);
  }
}

TEST(Shuffle, SeededFromTheCalendarSecond) {
  auto historyAt = [](int64_t second) {
    MemorySaver saver({800, 600});
    saver.Window.StartSeconds = second;
    saver.Create();
    saver.Tick();
    return std::vector<uint8_t>(saver.Engine.State.MoveHistory,
                                saver.Engine.State.MoveHistory + 201);
  };
  EXPECT_EQ(historyAt(1234567), historyAt(1234567));
  EXPECT_NE(historyAt(1234567), historyAt(1234568));
}

TEST(Shuffle, GridsTooSmallToWalkShowThePictureWhole) {
  // screen | scrambles (the block edge is an eighth of the width: 8 columns)
  const struct {
    Screen screen;
    bool scrambles;
  } rows[] = {
      {{1920, 400}, false},  // one row
      {{2000, 499}, false},  // one row, just over four times as wide as high
      {{2000, 500}, true},   // two rows
      {{1000, 100}, false},  // no row at all
      {{7, 7}, false},       // blocks of 0 pixels
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << row.screen.width << "x" << row.screen.height);
    MemorySaver saver({row.screen.width, row.screen.height});
    saver.SetCode(kShuffleNum, 1);
    saver.Create();
    saver.Tick();
    EXPECT_EQ(saver.Engine.State.PhaseCounter == 1, row.scrambles);
    if (row.scrambles) continue;
    const MemorySurface pristine = Pixels(saver.Engine.WorkSurface);
    for (int tick = 0; tick < 400; ++tick) {
      ASSERT_LE(saver.Engine.State.PhaseCounter, 0) << "tick " << tick;
      saver.Tick();
    }
    EXPECT_EQ(DifferingPixels(saver.Window.Client, pristine), 0);
    EXPECT_EQ(DifferingPixels(Pixels(saver.Engine.WorkSurface), pristine), 0);
  }
}

}  // namespace

}  // namespace tessalander
