// The display changing under a running saver: the window's puzzles set up
// again for the new monitors, a covered monitor keeping its picture (a
// capture would copy the saver itself), and the scene going on as a fresh
// saver on the new layout would.
#include <gtest/gtest.h>

#include <vector>

#include "engine/scene.h"
#include "engine/tests/support/engine_test_support.h"

namespace tessalander {

namespace {

MemorySurface Part(const MemorySurface& image, const ScreenRect& corner, const ScreenRect& r) {
  MemorySurface part(r.right - r.left, r.bottom - r.top);
  CopyPixels(part, 0, 0, part.Width, part.Height, image, r.left - corner.left, r.top - corner.top);
  return part;
}

// The picture spread over a monitor of the given size from its corner.
MemorySurface Tiled(const MemorySurface& picture, int32_t width, int32_t height) {
  MemorySurface tiled(width, height);
  for (int32_t y = 0; y < height; y += picture.Height) {
    for (int32_t x = 0; x < width; x += picture.Width) {
      CopyPixels(tiled, x, y, picture.Width, picture.Height, picture, 0, 0);
    }
  }
  return tiled;
}

void MakeQuick(MemorySaver& saver) {
  saver.SetCode(kSpeed, 4);
  saver.SetCode(kShuffleNum, 1);
}

TEST(DisplayChange, ACoveredMonitorKeepsItsPictureInEveryPhase) {
  const ScreenRect primary{0, 0, 64, 48};
  // before | after: the primary grown, a monitor added on either side
  const struct {
    const char* name;
    std::vector<ScreenRect> after;
  } rows[] = {
      {"a monitor added on the right", {primary, {64, 0, 104, 30}}},
      {"a monitor added on the left", {primary, {-40, 8, 0, 38}}},
      {"the primary grown", {{0, 0, 80, 60}}},
  };
  for (const auto& row : rows) {
    // Every phase: waiting, just shuffled, blocks half-way and home during
    // the solve, solved, resting again. At the normal speed a slide takes
    // several ticks.
    for (int ticks = 0; ticks < 600; ticks += 7) {
      SCOPED_TRACE(testing::Message() << row.name << ", after " << ticks << " ticks");
      MemorySaver saver(std::vector<ScreenRect>{primary});
      saver.SetCode(kShuffleNum, 1);
      saver.Create();
      const MemorySurface before = saver.Window.Display;
      for (int i = 0; i < ticks; ++i) saver.Tick();

      const PixelSize virtualScreen = VirtualScreenSize(row.after);
      saver.ChangeDisplay(row.after,
                          MakeTestPattern(virtualScreen.width, virtualScreen.height, 0xC0FFEE));
      const ScreenRect& corner = saver.Window.VirtualScreen;
      ASSERT_EQ(static_cast<size_t>(saver.Scene.Count), row.after.size());
      for (size_t i = 0; i < row.after.size(); ++i) {
        const PuzzleEngine& puzzle = saver.Scene.Puzzles[i];
        const ScreenRect& m = row.after[i];
        const MemorySurface expected =
            i == 0 ? Tiled(Part(before, {0, 0, 0, 0}, primary), m.right - m.left, m.bottom - m.top)
                   : Part(saver.Window.Display, corner, m);
        ASSERT_EQ(DifferingPixels(Pixels(puzzle.WorkSurface), expected), 0) << "monitor " << i;
        EXPECT_EQ(puzzle.BlockSize, (m.right - m.left) / 8) << "monitor " << i;
        EXPECT_EQ(puzzle.AreaLeft, m.left - corner.left);
        EXPECT_EQ(puzzle.AreaTop, m.top - corner.top);
      }
      EXPECT_TRUE(saver.TimerOn);
      // Nothing shows until the next tick shuffles every puzzle.
      EXPECT_TRUE(IsUniform(saver.Window.Client, 0, 0, saver.Window.Client.Width,
                            saver.Window.Client.Height, kBlack));
      saver.Tick();
      for (int i = 0; i < saver.Scene.Count; ++i) EXPECT_TRUE(saver.Scene.Puzzles[i].Shown);
    }
  }
}

TEST(DisplayChange, ThePuzzlesGoOnAsAFreshSaverWouldOnTheNewLayout) {
  const std::vector<ScreenRect> start{{0, 0, 64, 48}, {64, 0, 104, 30}};
  // after | the picture: a file, or the desktop (the monitor nobody covered)
  const struct {
    const char* name;
    std::vector<ScreenRect> after;
    bool file;
  } rows[] = {
      {"the secondary gone, file", {{0, 0, 64, 48}}, true},
      {"a smaller primary, file", {{0, 0, 48, 36}, {48, 0, 88, 30}}, true},
      {"a monitor moved left, file", {{0, 0, 64, 48}, {-40, 0, 0, 30}}, true},
      {"a monitor moved left, desktop", {{0, 0, 64, 48}, {-40, 0, 0, 30}}, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    MemorySaver saver(start);
    saver.Window.StartSeconds = 1700000000;
    MakeQuick(saver);
    if (row.file) GivePicture(saver, 30, 20);
    saver.Create();
    // A whole number of seconds, so that both shuffle in the same seconds.
    for (int i = 0; i < 3 * 20; ++i) saver.Tick();
    const MemorySurface desktop = MakeTestPattern(144, 48, 0xBEEF);
    saver.ChangeDisplay(row.after, desktop);

    // A fresh saver on the new layout, its display showing what the moved
    // one's did when it changed.
    MemorySaver fresh(row.after, saver.Window.Display);
    fresh.Window.StartSeconds = saver.Window.StartSeconds + saver.Window.ElapsedMs / 1000;
    MakeQuick(fresh);
    if (row.file) GivePicture(fresh, 30, 20);
    fresh.Create();
    if (!row.file) {
      // The primary keeps what it showed; only the new monitor is captured.
      for (Canvas PuzzleEngine::*surface : {&PuzzleEngine::WorkSurface, &PuzzleEngine::CornerPatch}) {
        *AsSurface(fresh.Engine.*surface) = Pixels(saver.Engine.*surface);
      }
    }
    ASSERT_EQ(saver.Scene.Count, fresh.Scene.Count);
    for (int tick = 0; tick < 2 * (151 + 60); ++tick) {
      saver.Tick();
      fresh.Tick();
      ASSERT_EQ(DifferingPixels(saver.Window.Client, fresh.Window.Client), 0) << "tick " << tick;
    }
  }
}

}  // namespace

}  // namespace tessalander
