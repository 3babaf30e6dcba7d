#include "engine/solve_animation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "engine/tests/support/engine_test_support.h"

namespace tessalander {

namespace {

TEST(SolveAnimation, UndoingEachDirection) {
  // entry | SlideStep | OriginDeltaX, Y | SlideOffsetX, Y | UncoveredWidth, Height
  // after the tick that starts the move (two steps of 16 on 128-pixel blocks)
  const struct {
    uint8_t entry;
    int32_t step, deltaX, deltaY, offsetX, offsetY, uncoveredW, uncoveredH;
  } rows[] = {
      {HoleUp, -16, 0, 128, 0, -32, 128, 32},
      {HoleRight, 16, -128, 0, 32, 0, 32, 128},
      {HoleDown, 16, 0, -128, 0, 32, 128, 32},
      {HoleLeft, -16, 128, 0, -32, 0, 32, 128},
  };
  for (const auto& row : rows) {
    for (int32_t startingStep : {16, -16}) {
      MemorySaver saver({1024, 768});
      saver.Create();
      PuzzleState& s = saver.Engine.State;
      s.PhaseCounter = 1;
      s.MoveIndex = 0;
      s.MoveHistory[0] = row.entry;
      s.HoleX = s.HoleY = 256;
      s.SlideOffsetX = 128;  // the shuffle's hand-over: a finished slide of nothing
      s.SlideStep = startingStep;
      saver.Tick();
      SCOPED_TRACE(testing::Message() << "entry " << int{row.entry} << " from step " << startingStep);
      EXPECT_EQ(s.SlideStep, row.step);
      EXPECT_EQ(s.OriginDeltaX, row.deltaX);
      EXPECT_EQ(s.OriginDeltaY, row.deltaY);
      EXPECT_EQ(s.SlideOffsetX, row.offsetX);
      EXPECT_EQ(s.SlideOffsetY, row.offsetY);
      EXPECT_EQ(s.UncoveredWidth, row.uncoveredW);
      EXPECT_EQ(s.UncoveredHeight, row.uncoveredH);
      EXPECT_EQ(s.HoleX, 256) << "the slot moves only when the next move starts";
      EXPECT_EQ(s.MoveIndex, kLastMoveSliding);
    }
  }
}

TEST(SolveAnimation, OffsetsOverOneMoveLandExactlyOnTheSlot) {
  // screen width | speed code (0: none stored) | distance from the origin cell per tick
  const struct {
    int32_t width;
    uint32_t speed;
    std::vector<int32_t> offsets;
  } rows[] = {
      {1024, 0, {32, 48, 64, 80, 96, 112, 128}},
      {1024, 4, {128}},
      {800, 3, {50, 75, 100}},
      {1366, 1, {42, 63, 84, 105, 126, 147, 168, 170}},  // 21 does not divide 170
      {1680, 2, {104, 156, 208, 210}},                   // nor 52 210
  };
  for (const auto& row : rows) {
    MemorySaver saver({row.width, row.width * 3 / 4});
    if (row.speed != 0) saver.SetCode(kSpeed, row.speed);
    saver.Create();
    saver.Tick();  // the shuffle
    PuzzleState& s = saver.Engine.State;
    for (int move = 0; move < 3; ++move) {
      std::vector<int32_t> seen;
      do {
        saver.Tick();
        seen.push_back(std::abs(s.SlideOffsetX) + std::abs(s.SlideOffsetY));
      } while (!IsSlideFinished(s, saver.Engine.BlockSize) && seen.size() < 100);
      EXPECT_EQ(seen, row.offsets) << row.width << " speed " << row.speed << " move " << move;
    }
  }
}

TEST(SolveAnimation, EndOfSolveRestartAndTheWaitBeforeTheNextShuffle) {
  MemorySaver saver({1024, 768});
  saver.SetCode(kSpeed, 4);
  saver.Create();
  saver.Tick();
  PuzzleState& s = saver.Engine.State;
  ASSERT_EQ(TickUntilSolved(saver), 201) << "one tick per move with speed 4";

  saver.Tick();  // the restart tick
  EXPECT_EQ(s.MoveIndex, 0);
  EXPECT_EQ(s.HoleX, 0);
  EXPECT_EQ(s.HoleY, 0);
  EXPECT_EQ(s.SlideOffsetX | s.SlideOffsetY | s.OriginDeltaX | s.OriginDeltaY, 0);
  EXPECT_EQ(s.PhaseCounter, 0);

  for (int wait = 1; wait < 150; ++wait) {
    saver.Tick();
    ASSERT_EQ(s.PhaseCounter, -wait);
  }
  saver.Tick();
  EXPECT_EQ(s.PhaseCounter, 1) << "the 150th waiting tick shuffles";
}

TEST(SolveAnimation, FirstTickShufflesAndNothingIsShownBefore) {
  MemorySaver saver({800, 600});
  GivePicture(saver, 800, 600);
  saver.Create();
  EXPECT_EQ(saver.Engine.State.PhaseCounter, -150);
  EXPECT_EQ(saver.Engine.State.PauseThreshold, -150);
  EXPECT_TRUE(IsUniform(saver.Window.Client, 0, 0, 800, 600, kBlack));
  saver.Tick();
  EXPECT_EQ(saver.Engine.State.PhaseCounter, 1);
}

}  // namespace

}  // namespace tessalander
