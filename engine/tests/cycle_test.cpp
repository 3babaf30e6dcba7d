// Whole cycles of the saver on memory surfaces: shuffle, solve, rest, again.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "engine/shuffle.h"
#include "engine/tests/support/engine_test_support.h"

namespace tessalander {

namespace {

using Cell = std::pair<int32_t, int32_t>;

// The slot's positions along the recorded walk, from the top-left cell on.
std::vector<Cell> WalkPositions(const PuzzleState& s, int32_t block) {
  std::vector<Cell> cells{{0, 0}};
  for (int32_t i = 0; i <= s.ShuffleCount; ++i) {
    Cell next = cells.back();
    const int move = s.MoveHistory[i];
    next.first += move == HoleRight ? block : move == HoleLeft ? -block : 0;
    next.second += move == HoleDown ? block : move == HoleUp ? -block : 0;
    cells.push_back(next);
  }
  return cells;
}

TEST(Cycle, SolvesBackToThePictureOnTime) {
  // screen | speed, shufflenum (0: absent) | moves | ticks per move | ticks per cycle
  const struct {
    int32_t width, height;
    uint32_t speed, shuffleNum;
    int64_t moves, ticksPerMove, cycle;
  } rows[] = {
      {1024, 768, 0, 0, 201, 7, 1558},   {1024, 768, 4, 0, 201, 1, 352},
      {800, 600, 1, 1, 131, 19, 2640},   {1280, 1024, 3, 0, 201, 3, 754},
      {1366, 768, 1, 0, 201, 8, 1759},   {640, 480, 2, 3, 513, 7, 3742},
      {48, 36, 0, 0, 201, 5, 1156},  // 6-pixel blocks: one pixel per tick
  };
  for (const auto& row : rows) {
    MemorySaver saver({row.width, row.height});
    GivePicture(saver, row.width, row.height, 0x4242);
    if (row.speed != 0) saver.SetCode(kSpeed, row.speed);
    if (row.shuffleNum != 0) saver.SetCode(kShuffleNum, row.shuffleNum);
    saver.Window.StartSeconds = 1700000000;
    saver.Create();
    const PuzzleEngine& engine = saver.Engine;
    const PuzzleState& s = engine.State;
    ASSERT_EQ(TickUntilShuffled(saver), 1);

    for (int cycle = 0; cycle < 2; ++cycle) {
      SCOPED_TRACE(testing::Message() << row.width << "x" << row.height << " speed " << row.speed
                                      << " shufflenum " << row.shuffleNum << " cycle " << cycle);
      ASSERT_EQ(s.ShuffleCount + 1, row.moves);
      std::vector<Cell> expected = WalkPositions(s, engine.BlockSize);
      std::vector<Cell> retraced{{s.HoleX, s.HoleY}};
      int64_t ticks = 0;
      do {
        saver.Tick();
        ++ticks;
        if (retraced.back() != Cell{s.HoleX, s.HoleY}) retraced.emplace_back(s.HoleX, s.HoleY);
      } while (s.MoveIndex != kSolved && ticks < 100000);
      EXPECT_EQ(ticks, row.moves * row.ticksPerMove);

      const MemorySurface pristine = MakeTestPattern(row.width, row.height, 0x4242);
      EXPECT_EQ(DifferingPixels(saver.Window.Client, pristine), 0) << "the solved frame";
      EXPECT_EQ(DifferingPixels(Pixels(engine.WorkSurface), pristine), 0);

      saver.Tick();  // restart: the slot steps back into the top-left cell
      if (retraced.back() != Cell{s.HoleX, s.HoleY}) retraced.emplace_back(s.HoleX, s.HoleY);
      std::reverse(expected.begin(), expected.end());
      EXPECT_EQ(retraced, expected) << "the slot retraces the walk";

      const int64_t rest = TickUntilShuffled(saver) + 1;
      EXPECT_EQ(ticks + rest, row.cycle);
    }
  }
}

// Between the origin cell and the slot, the window may show a block on its
// way; everywhere else it shows WorkSurface.
TEST(Cycle, EveryFrameShowsWorkSurfaceOutsideTheMovingBlock) {
  for (uint32_t backColor : {1u, 2u}) {
    MemorySaver saver({320, 240});
    saver.SetCode(kSpeed, 3);
    saver.SetCode(kBackColor, backColor);
    saver.Create();
    saver.Tick();
    const PuzzleEngine& engine = saver.Engine;
    const PuzzleState& s = engine.State;
    const int32_t block = engine.BlockSize;
    while (s.PhaseCounter == 1) {
      saver.Tick();
      if (s.MoveIndex < kLastMoveSliding || s.PhaseCounter != 1) continue;
      MemorySurface window = saver.Window.Client;
      MemorySurface work = Pixels(engine.WorkSurface);
      for (MemorySurface* image : {&window, &work}) {
        FillPixels(*image, s.HoleX, s.HoleY, block, block, 0x123456);
        FillPixels(*image, s.HoleX + s.OriginDeltaX, s.HoleY + s.OriginDeltaY, block, block,
                   0x123456);
      }
      ASSERT_EQ(DifferingPixels(window, work), 0) << "move " << s.MoveIndex + 1;
    }
  }
}

TEST(Cycle, PreviewShowsTheTopLeftCornerOfTheFullFrames) {
  MemorySaver full({1024, 768});
  MemorySaver preview({1024, 768});
  preview.Window.Client = MemorySurface(152, 112, kBlack);
  for (MemorySaver* saver : {&full, &preview}) {
    saver->SetCode(kSpeed, 4);
    saver->Window.StartSeconds = 99;
    saver->Create();
  }
  for (int tick = 0; tick < 360; ++tick) {
    full.Tick();
    preview.Tick();
    ASSERT_EQ(DifferingPixels(preview.Window.Client, full.Window.Client, 0, 0, 152, 112), 0)
        << "tick " << tick;
  }
}

// The displays go off and come back: nothing is drawn while they are off, and
// from then on, with the same clock, every frame is the one the saver would
// have drawn next had they stayed on: waiting, mid-slide, just after a slide,
// solved and resting.
TEST(Cycle, DisplaysOffPauseTheSaverWhichGoesOnWithTheFramesDueNext) {
  constexpr int kPauseTicks = 40;  // two seconds
  for (int before : {0, 1, 5, 8, 600}) {
    SCOPED_TRACE(testing::Message() << "the displays off after " << before << " ticks");
    MemorySaver steady({320, 240});
    MemorySaver paused({320, 240});
    for (MemorySaver* saver : {&steady, &paused}) {
      GivePicture(*saver, 320, 240);
      saver->SetCode(kShuffleNum, 1);
      saver->SetCode(kSpeed, 3);
      saver->Window.StartSeconds = 1700000000;
      saver->Create();
    }
    for (int tick = 0; tick < before; ++tick) {
      steady.Tick();
      paused.Tick();
    }
    paused.SetDisplayOn(false);
    const MemorySurface shown = paused.Window.Client;
    const MemorySurface work = Pixels(paused.Engine.WorkSurface);
    for (int tick = 0; tick < kPauseTicks; ++tick) {
      paused.Tick();
      ASSERT_EQ(DifferingPixels(paused.Window.Client, shown), 0) << "paused tick " << tick;
    }
    EXPECT_EQ(DifferingPixels(Pixels(paused.Engine.WorkSurface), work), 0);
    paused.SetDisplayOn(true);
    paused.Window.StartSeconds -= kPauseTicks / 20;
    // On through the rest and the next shuffle.
    for (int tick = 0; tick < 800; ++tick) {
      steady.Tick();
      paused.Tick();
      ASSERT_EQ(DifferingPixels(paused.Window.Client, steady.Window.Client), 0) << "tick " << tick;
    }
  }
}

}  // namespace

}  // namespace tessalander
