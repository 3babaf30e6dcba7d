#include "engine/frame_painting.h"

#include <gtest/gtest.h>

#include <cstring>

#include "engine/tests/support/engine_test_support.h"

namespace tessalander {

namespace {

constexpr uint32_t kGrey = 0x808080;

// A 1024 x 768 saver whose window is grey, with a move set up by hand: the
// slot at (384, 256), the block coming from the cell the entry names.
struct SlideFixture {
  SlideFixture(uint32_t backColor, bool picture) : saver({1024, 768}) {
    if (picture) GivePicture(saver, 1024, 768);
    saver.SetCode(kBackColor, backColor);
    saver.Create();
    FillPixels(saver.Window.Client, 0, 0, 1024, 768, kGrey);
  }
  void Slide(uint8_t entry, int32_t offsetX, int32_t offsetY) {
    PuzzleState& s = saver.Engine.State;
    s.PhaseCounter = 1;
    s.MoveIndex = 5;
    s.MoveHistory[6] = entry;
    s.HoleX = 384;
    s.HoleY = 256;
    s.OriginDeltaX = entry == HoleRight ? -128 : entry == HoleLeft ? 128 : 0;
    s.OriginDeltaY = entry == HoleDown ? -128 : entry == HoleUp ? 128 : 0;
    s.SlideOffsetX = offsetX;
    s.SlideOffsetY = offsetY;
    s.UncoveredWidth = offsetX != 0 ? std::abs(offsetX) : 128;
    s.UncoveredHeight = offsetY != 0 ? std::abs(offsetY) : 128;
    ShowTickFrame(saver.Engine, saver.Handle());
  }
  MemorySaver saver;
};

TEST(FramePainting, BlockAndStripPositions) {
  // entry | offset | block drawn at | strip x, y, width, height
  const struct {
    uint8_t entry;
    int32_t offsetX, offsetY;
    int32_t blockX, blockY;
    int32_t stripX, stripY, stripW, stripH;
  } rows[] = {
      {HoleUp, 0, -48, 384, 336, 384, 464, 128, 48},    // origin (384, 384): strip at its bottom
      {HoleRight, 48, 0, 304, 256, 256, 256, 48, 128},  // origin (256, 256): strip at its left
      {HoleDown, 0, 48, 384, 176, 384, 128, 128, 48},   // origin (384, 128): strip at its top
      {HoleLeft, -48, 0, 464, 256, 592, 256, 48, 128},  // origin (512, 256): strip at its right
  };
  for (const auto& row : rows) {
    SlideFixture f(2, true);
    f.Slide(row.entry, row.offsetX, row.offsetY);
    const PuzzleState& s = f.saver.Engine.State;
    const MemorySurface& window = f.saver.Window.Client;
    const MemorySurface& work = Pixels(f.saver.Engine.WorkSurface);
    SCOPED_TRACE(testing::Message() << "entry " << int{row.entry});
    MemorySurface block(128, 128);
    CopyPixels(block, 0, 0, 128, 128, work, s.HoleX + s.OriginDeltaX, s.HoleY + s.OriginDeltaY);
    MemorySurface drawn(128, 128);
    CopyPixels(drawn, 0, 0, 128, 128, window, row.blockX, row.blockY);
    EXPECT_EQ(DifferingPixels(drawn, block), 0);
    EXPECT_TRUE(IsUniform(window, row.stripX, row.stripY, row.stripW, row.stripH, kBlack));
    // Nothing else: block and strip cover 128 x 176 pixels.
    int64_t grey = 0;
    for (uint32_t pixel : window.Pixels) grey += pixel == kGrey;
    EXPECT_EQ(grey, 1024 * 768 - 128 * 176);
  }
}

TEST(FramePainting, StripColourByImageMode) {
  // picture | backcolor | ImageMode | strip colour
  const struct {
    bool picture;
    uint32_t backColor;
    uint8_t imageMode;
    uint32_t strip;
  } rows[] = {
      {true, 2, ImageFromFile, kBlack},
      {true, 1, ImageFromFile, kWhite},
      {false, 2, ImageFromDesktopDark, kBlack},
      {false, 1, ImageFromDesktop, kWhite},
  };
  for (const auto& row : rows) {
    SlideFixture f(row.backColor, row.picture);
    EXPECT_EQ(f.saver.Engine.ImageMode, row.imageMode);
    f.Slide(HoleRight, 48, 0);
    EXPECT_TRUE(IsUniform(f.saver.Window.Client, 256, 256, 48, 128, row.strip))
        << "mode " << int{row.imageMode};
  }
}

TEST(FramePainting, FinishedSlideIsCommittedOnceAndRepaintsChangeNothing) {
  SlideFixture f(2, true);
  const MemorySurface before = Pixels(f.saver.Engine.WorkSurface);
  f.Slide(HoleRight, 128, 0);
  const MemorySurface& work = Pixels(f.saver.Engine.WorkSurface);
  EXPECT_EQ(DifferingPixels(work, before, 0, 0, 1024, 768),
            DifferingPixels(work, before, 384, 256, 128, 128))
      << "only the slot changed";
  MemorySurface expected(128, 128), slot(128, 128);
  CopyPixels(expected, 0, 0, 128, 128, before, 256, 256);
  CopyPixels(slot, 0, 0, 128, 128, work, 384, 256);
  EXPECT_EQ(DifferingPixels(slot, expected), 0);
  EXPECT_TRUE(IsUniform(f.saver.Window.Client, 256, 256, 128, 128, kBlack)) << "origin now empty";

  const MemorySurface window = f.saver.Window.Client;
  const MemorySurface committed = work;
  ShowTickFrame(f.saver.Engine, f.saver.Handle());
  EXPECT_EQ(DifferingPixels(f.saver.Window.Client, window), 0);
  EXPECT_EQ(DifferingPixels(work, committed), 0);
}

TEST(FramePainting, PaintsOutsideASlideDrawNothing) {
  // The moments at which a paint finds no move under way.
  enum Moment { AfterCreation, AfterShuffle, Restart, Waiting };
  for (Moment moment : {AfterCreation, AfterShuffle, Restart, Waiting}) {
    for (uint32_t shuffleCode : {2u, 4u}) {  // 4: the last entry is the history's last
      MemorySaver saver({1024, 768});
      GivePicture(saver, 1024, 768);
      saver.SetCode(kShuffleNum, shuffleCode);
      saver.SetCode(kSpeed, 4);
      saver.Create();
      if (moment != AfterCreation) saver.Tick();
      if (moment == Restart || moment == Waiting) {
        ASSERT_GT(TickUntilSolved(saver), 0);
        saver.Tick();
        if (moment == Waiting) saver.Tick();
      }
      const MemorySurface window = saver.Window.Client;
      const MemorySurface work = Pixels(saver.Engine.WorkSurface);
      uint8_t history[kMoveHistorySize];
      std::memcpy(history, saver.Engine.State.MoveHistory, sizeof history);
      saver.Paint();
      SCOPED_TRACE(testing::Message() << "moment " << moment << " shufflenum " << shuffleCode);
      EXPECT_EQ(DifferingPixels(saver.Window.Client, window), 0);
      EXPECT_EQ(DifferingPixels(Pixels(saver.Engine.WorkSurface), work), 0);
      EXPECT_EQ(std::memcmp(history, saver.Engine.State.MoveHistory, sizeof history), 0);
    }
  }
}

// A window covered and uncovered at any moment of a cycle: its paint request
// brings back exactly what the ticks had drawn.
TEST(FramePainting, APaintRequestRedrawsWhatTheTicksDrew) {
  // picture | backcolor (0: absent) | speed: the slot's three looks, and slides
  // of one tick and of several
  const struct {
    bool picture;
    uint32_t backColor;
    uint32_t speed;
  } rows[] = {{true, 0, 4}, {true, 2, 2}, {false, 0, 3}, {false, 1, 4}};
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << (row.picture ? "picture" : "desktop") << " backcolor "
                                    << row.backColor << " speed " << row.speed);
    MemorySaver saver({320, 240});
    if (row.picture) GivePicture(saver, 320, 240);
    if (row.backColor != 0) saver.SetCode(kBackColor, row.backColor);
    saver.SetCode(kSpeed, row.speed);
    saver.SetCode(kShuffleNum, 1);
    saver.Create();
    // Two whole cycles: the first shuffle, each slide, the solved picture, the
    // rest, the next shuffle.
    for (int tick = 0; tick < 2 * (151 + 131 * 8 + 2); ++tick) {
      if (tick > 0) saver.Tick();
      const MemorySurface shown = saver.Window.Client;
      const MemorySurface work = Pixels(saver.Engine.WorkSurface);
      FillPixels(saver.Window.Client, 0, 0, 320, 240, kBlack);  // the class brush's erase
      saver.Paint();
      ASSERT_EQ(DifferingPixels(saver.Window.Client, shown), 0) << "tick " << tick;
      ASSERT_EQ(DifferingPixels(Pixels(saver.Engine.WorkSurface), work), 0) << "tick " << tick;
    }
  }
}

// A solving tick draws one block and the strip that the block left since the
// last tick, nothing more: marked pixels that a tick leaves alone count what
// it did not draw. A tick that could not draw (no context) leaves its part of
// the strip to the next one, which then draws it too.
TEST(FramePainting, ATickDrawsOneBlockAndTheStripItLeft) {
  constexpr uint32_t kMark = 0x123456;
  // speed: steps of 1/8 and 1/4 of a block, and one tick a move; a context
  // refused on every seventh tick, or never
  const struct {
    uint32_t speed;
    int refusedEvery;
  } rows[] = {{2, 0}, {4, 0}, {2, 7}, {3, 7}};
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "speed " << row.speed << ", refused every "
                                    << row.refusedEvery);
    MemorySaver saver({256, 192});
    GivePicture(saver, 256, 192);
    saver.SetCode(kSpeed, row.speed);
    saver.SetCode(kShuffleNum, 1);
    saver.Create();
    saver.Tick();  // the shuffle
    const PuzzleState& s = saver.Engine.State;
    const int32_t block = saver.Engine.BlockSize;
    int32_t before = 0;  // the strip's length before the tick
    int32_t owed = 0;    // what a refused tick left undrawn
    int ticks = 0;
    while (s.PhaseCounter == 1 && s.MoveIndex >= kLastMoveSliding) {
      const int32_t moveBefore = s.MoveIndex;
      const MemorySurface shown = saver.Window.Client;
      FillPixels(saver.Window.Client, 0, 0, 256, 192, kMark);
      const bool refused = row.refusedEvery != 0 && ++ticks % row.refusedEvery == 0;
      saver.Window.RefuseContexts = refused;
      saver.Tick();
      saver.Window.RefuseContexts = false;
      if (s.MoveIndex < kLastMoveSliding) break;  // the corner of the solved picture
      const int32_t length = s.OriginDeltaY != 0 ? s.UncoveredHeight : s.UncoveredWidth;
      if (s.MoveIndex != moveBefore) before = owed = 0;
      int64_t drawn = 0;
      for (uint32_t pixel : saver.Window.Client.Pixels) drawn += pixel != kMark;
      if (refused) {
        ASSERT_EQ(drawn, 0) << "move " << s.MoveIndex + 1;
        owed += length - before;
      } else {
        ASSERT_EQ(drawn, int64_t{block} * (block + length - before + owed)) << "move " << s.MoveIndex + 1;
        owed = 0;
      }
      before = length;
      // Back to what the window showed, with this tick's drawing on top.
      for (size_t i = 0; i < shown.Pixels.size(); ++i) {
        if (saver.Window.Client.Pixels[i] == kMark) saver.Window.Client.Pixels[i] = shown.Pixels[i];
      }
    }
  }
}

}  // namespace

}  // namespace tessalander
