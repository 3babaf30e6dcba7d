// The window's puzzles on several monitors: where each plays, what it shows,
// how it is seeded, and what stays black.
#include "engine/scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/palette.h"
#include "engine/tests/support/engine_test_support.h"

namespace tessalander {

namespace {

std::vector<int32_t> Corners(const ScreenRect& r) { return {r.left, r.top, r.right, r.bottom}; }

TEST(PuzzleAreas, ArrangedPrimaryFirstInWindowCoordinates) {
  const ScreenRect primary{0, 0, 1024, 768};
  // monitors as enumerated | window origin | child | areas: monitor, left, top, primary
  const struct {
    const char* name;
    std::vector<DisplayMonitor> monitors;
    ScreenPoint origin;
    bool child;
    std::vector<PuzzleArea> areas;
  } rows[] = {
      {"secondary right", {{primary, true}, {{1024, 0, 1824, 600}, false}}, {0, 0}, false,
       {{primary, 0, 0, true}, {{1024, 0, 1824, 600}, 1024, 0, false}}},
      {"secondary left", {{primary, true}, {{-800, 0, 0, 600}, false}}, {-800, 0}, false,
       {{primary, 800, 0, true}, {{-800, 0, 0, 600}, 0, 0, false}}},
      {"primary listed last",
       {{{-800, -600, 0, 0}, false}, {{1024, 0, 2048, 768}, false}, {primary, true}},
       {-800, -600},
       false,
       {{primary, 800, 600, true},
        {{-800, -600, 0, 0}, 0, 0, false},
        {{1024, 0, 2048, 768}, 1824, 600, false}}},
      {"a monitor without pixels", {{primary, true}, {{1024, 0, 1024, 600}, false}}, {0, 0}, false,
       {{primary, 0, 0, true}}},
      {"none listed", {}, {0, 0}, false, {{primary, 0, 0, true}}},
      {"preview", {{primary, true}, {{-800, 0, 0, 600}, false}}, {300, 200}, true,
       {{primary, 0, 0, true}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const PuzzleAreaList areas = ArrangePuzzleAreas(
        row.monitors.data(), static_cast<int>(row.monitors.size()), row.origin, row.child, {1024, 768});
    ASSERT_EQ(static_cast<size_t>(areas.count), row.areas.size());
    for (size_t i = 0; i < row.areas.size(); ++i) {
      SCOPED_TRACE(testing::Message() << "area " << i);
      EXPECT_EQ(Corners(areas.area[i].monitor), Corners(row.areas[i].monitor));
      EXPECT_EQ(areas.area[i].left, row.areas[i].left);
      EXPECT_EQ(areas.area[i].top, row.areas[i].top);
      EXPECT_EQ(areas.area[i].primary, row.areas[i].primary);
    }
  }

  // More monitors than a scene plays on, the primary listed last: it still
  // comes first, and the ones beyond the limit are left out.
  std::vector<DisplayMonitor> many;
  for (int32_t i = 0; i < kMostMonitors + 4; ++i) many.push_back({{-100 * (i + 1), 0, -100 * i, 100}, false});
  many.back() = {primary, true};
  const PuzzleAreaList most =
      ArrangePuzzleAreas(many.data(), static_cast<int>(many.size()), {-2000, 0}, false, {1024, 768});
  ASSERT_EQ(most.count, kMostMonitors);
  EXPECT_TRUE(most.area[0].primary);
  EXPECT_EQ(most.area[0].left, 2000);
  EXPECT_EQ(Corners(most.area[kMostMonitors - 1].monitor), Corners(many[kMostMonitors - 2].rect));
}

TEST(Scene, EachMonitorItsOwnPuzzle) {
  // layout | per puzzle: left and top in the window, size, block, seed offset
  const struct {
    const char* name;
    std::vector<ScreenRect> monitors;
    std::vector<std::vector<int32_t>> puzzles;
  } rows[] = {
      {"right", {{0, 0, 1024, 768}, {1024, 0, 1824, 600}},
       {{0, 0, 1024, 768, 128, 0}, {1024, 0, 800, 600, 100, 1}}},
      {"left", {{0, 0, 1024, 768}, {-800, 0, 0, 600}},
       {{800, 0, 1024, 768, 128, 0}, {0, 0, 800, 600, 100, 1}}},
      {"three, one above", {{0, 0, 640, 480}, {-800, 0, 0, 600}, {0, -768, 1366, 0}},
       {{800, 768, 640, 480, 80, 0}, {0, 768, 800, 600, 100, 1}, {800, 0, 1366, 768, 170, 2}}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    MemorySaver saver(row.monitors);
    saver.Create();
    ASSERT_EQ(static_cast<size_t>(saver.Scene.Count), row.puzzles.size());
    EXPECT_EQ(&saver.Scene.Puzzles[0], &saver.Engine) << "the primary's puzzle comes first";
    for (size_t i = 0; i < row.puzzles.size(); ++i) {
      const PuzzleEngine& p = saver.Scene.Puzzles[i];
      EXPECT_EQ(std::vector<int32_t>({p.AreaLeft, p.AreaTop, p.ScreenWidth, p.ScreenHeight,
                                      p.BlockSize, static_cast<int32_t>(p.SeedOffset)}),
                row.puzzles[i])
          << "puzzle " << i;
    }
  }
}

MemorySurface Part(const MemorySurface& image, int32_t x, int32_t y, int32_t width, int32_t height) {
  MemorySurface part(width, height);
  CopyPixels(part, 0, 0, width, height, image, x, y);
  return part;
}

MemorySurface AreaOf(const MemorySurface& window, const PuzzleEngine& puzzle) {
  return Part(window, puzzle.AreaLeft, puzzle.AreaTop, puzzle.ScreenWidth, puzzle.ScreenHeight);
}

enum class Source { Tiled, Stretched, Desktop };

// The saver on each monitor of a layout alone: its size, the part of the
// layout's display it covers, and the start second its index later.
std::vector<std::unique_ptr<MemorySaver>> SaversAlone(const MemorySaver& whole) {
  std::vector<std::unique_ptr<MemorySaver>> alone;
  const ScreenRect& corner = whole.Window.VirtualScreen;
  for (size_t i = 0; i < whole.Window.Monitors.size(); ++i) {
    const ScreenRect& m = whole.Window.Monitors[i].rect;
    const PixelSize size{m.right - m.left, m.bottom - m.top};
    alone.push_back(std::make_unique<MemorySaver>(
        size, Part(whole.Window.Display, m.left - corner.left, m.top - corner.top, size.width,
                   size.height)));
    alone.back()->Window.StartSeconds = whole.Window.StartSeconds + static_cast<int64_t>(i);
  }
  return alone;
}

void Prepare(MemorySaver& saver, Source source) {
  if (source == Source::Tiled) GivePicture(saver, 300, 200);  // 3:2: repeated from the corner
  if (source == Source::Stretched) GivePicture(saver, 64, 48);
  saver.SetCode(kSpeed, 4);
  saver.SetCode(kShuffleNum, 1);
  saver.Create();
}

// Over two cycles, each monitor of the window shows, tick by tick, what it
// would show alone, seeded its index later; outside the monitors the window
// stays black.
TEST(Scene, EachMonitorShowsItsOwnFramesAndTheRestStaysBlack) {
  const struct {
    const char* name;
    std::vector<ScreenRect> monitors;
  } layouts[] = {
      {"right", {{0, 0, 256, 192}, {256, 0, 456, 150}}},
      {"left and above", {{0, 0, 256, 192}, {-200, 42, 0, 192}, {256, -100, 416, 20}}},
  };
  for (const auto& layout : layouts) {
    for (Source source : {Source::Tiled, Source::Stretched, Source::Desktop}) {
      SCOPED_TRACE(testing::Message() << layout.name << ", source " << static_cast<int>(source));
      MemorySaver whole(layout.monitors);
      whole.Window.StartSeconds = 1700000000;
      std::vector<std::unique_ptr<MemorySaver>> alone = SaversAlone(whole);
      Prepare(whole, source);
      for (auto& saver : alone) Prepare(*saver, source);
      ASSERT_EQ(static_cast<size_t>(whole.Scene.Count), alone.size());

      MemorySurface outside = whole.Window.Client;
      for (int i = 0; i < whole.Scene.Count; ++i) {
        const PuzzleEngine& puzzle = whole.Scene.Puzzles[i];
        FillPixels(outside, puzzle.AreaLeft, puzzle.AreaTop, puzzle.ScreenWidth, puzzle.ScreenHeight,
                   0x123456);
      }
      ASSERT_TRUE(std::count(outside.Pixels.begin(), outside.Pixels.end(), kBlack) > 0);
      for (int tick = 0; tick < 2 * (151 + 131 + 2); ++tick) {
        if (tick > 0) {
          whole.Tick();
          for (auto& saver : alone) saver->Tick();
        }
        MemorySurface shown = whole.Window.Client;
        for (size_t i = 0; i < alone.size(); ++i) {
          const PuzzleEngine& puzzle = whole.Scene.Puzzles[i];
          ASSERT_EQ(DifferingPixels(AreaOf(shown, puzzle), alone[i]->Window.Client), 0)
              << "monitor " << i << ", tick " << tick;
          FillPixels(shown, puzzle.AreaLeft, puzzle.AreaTop, puzzle.ScreenWidth, puzzle.ScreenHeight,
                     0x123456);
        }
        ASSERT_EQ(DifferingPixels(shown, outside), 0) << "outside the monitors, tick " << tick;
      }
    }
  }
}

// By the same rules as on one monitor: stretched to a monitor of its shape,
// else repeated at its own size from the monitor's top-left corner.
TEST(Scene, PicturesFitEachMonitor) {
  const PixelSize pictures[] = {
      {640, 480},   // stretched on both
      {300, 200},   // repeated on both
      {60, 45},     // under 1024 / 16 wide: repeated on the primary, stretched on the secondary
      {1280, 960},  // shrunk on both
  };
  for (const PixelSize& picture : pictures) {
    SCOPED_TRACE(testing::Message() << picture.width << "x" << picture.height);
    MemorySaver saver(std::vector<ScreenRect>{{0, 0, 1024, 768}, {-800, 0, 0, 600}});
    GivePicture(saver, picture.width, picture.height);
    saver.Create();
    for (size_t i = 0; i < 2; ++i) {
      const PuzzleEngine& puzzle = saver.Scene.Puzzles[i];
      MemorySaver alone({puzzle.ScreenWidth, puzzle.ScreenHeight});
      GivePicture(alone, picture.width, picture.height);
      alone.Create();
      // Before the first shuffle WorkSurface holds the picture as spread.
      EXPECT_EQ(DifferingPixels(Pixels(puzzle.WorkSurface), Pixels(alone.Engine.WorkSurface)), 0)
          << "monitor " << i;
    }
  }
}

// The picture file is read once for every monitor, whatever it becomes
// meanwhile, and each monitor fits it as it would alone: also when the first
// is of the picture's size and the last takes the picture's own surface.
TEST(Scene, OnePictureFileForEveryMonitor) {
  const PixelSize pictures[] = {{320, 240}, {400, 300}, {300, 200}, {1600, 1200}};
  const std::vector<ScreenRect> layouts[] = {{{0, 0, 320, 240}, {320, 0, 640, 240}},
                                             {{0, 0, 400, 300}, {-320, 0, 0, 240}}};
  for (const PixelSize& picture : pictures) {
    for (const std::vector<ScreenRect>& layout : layouts) {
      SCOPED_TRACE(testing::Message() << picture.width << "x" << picture.height << " on "
                                      << layout[0].right - layout[0].left << " wide");
      MemorySaver saver(layout);
      GivePicture(saver, picture.width, picture.height, 0x444);
      int reads = 0;
      const FileReader files = saver.Reader;
      saver.Reader = [&](const std::string& path, std::vector<uint8_t>& bytes) {
        // A second read would find another picture.
        if (++reads > 1) bytes = PatternBmp(picture.width, picture.height, 0x555);
        return reads > 1 || files(path, bytes);
      };
      saver.Create();
      EXPECT_EQ(saver.Surfaces->Loads().size(), 1u);
      EXPECT_EQ(reads, 1);
      for (int i = 0; i < 2; ++i) {
        const PuzzleEngine& puzzle = saver.Scene.Puzzles[i];
        MemorySaver alone({puzzle.ScreenWidth, puzzle.ScreenHeight});
        GivePicture(alone, picture.width, picture.height, 0x444);
        alone.Create();
        EXPECT_EQ(DifferingPixels(Pixels(puzzle.WorkSurface), Pixels(alone.Engine.WorkSurface)), 0)
            << "monitor " << i;
      }
      EXPECT_EQ(saver.Surfaces->LiveObjects(), 4u) << "two WorkSurfaces and two corners; no picture";
    }
  }
}

TEST(Scene, EqualMonitorsDoNotMoveInLockStep) {
  MemorySaver saver(std::vector<ScreenRect>{{0, 0, 640, 480}, {640, 0, 1280, 480}});
  saver.Window.StartSeconds = 1234567;
  saver.Create();
  saver.Tick();
  const PuzzleState& a = saver.Scene.Puzzles[0].State;
  const PuzzleState& b = saver.Scene.Puzzles[1].State;
  ASSERT_EQ(a.PhaseCounter, 1);
  ASSERT_EQ(b.PhaseCounter, 1);
  EXPECT_NE(std::vector<uint8_t>(a.MoveHistory, a.MoveHistory + 201),
            std::vector<uint8_t>(b.MoveHistory, b.MoveHistory + 201));
}

// A monitor with no grid to walk on shows its picture whole, with no hang,
// while the others play.
TEST(Scene, AMonitorTooSmallForAGridShowsItsPictureWhole) {
  // the small monitor: no row of 120-pixel blocks, one row, blocks of 0 pixels
  const ScreenRect smalls[] = {{256, 0, 1216, 100}, {256, 0, 1216, 200}, {-7, 0, 0, 7}};
  for (const ScreenRect& small : smalls) {
    SCOPED_TRACE(testing::Message() << small.right - small.left << "x" << small.bottom - small.top);
    MemorySaver saver(std::vector<ScreenRect>{{0, 0, 256, 192}, small});
    saver.SetCode(kSpeed, 4);
    saver.SetCode(kShuffleNum, 1);
    saver.Create();
    const PuzzleEngine& primary = saver.Scene.Puzzles[0];
    const PuzzleEngine& tiny = saver.Scene.Puzzles[1];
    ASSERT_TRUE(IsPuzzleReady(tiny));
    const MemorySurface picture = Pixels(tiny.WorkSurface);
    bool primarySolved = false;
    for (int tick = 0; tick < 400; ++tick) {
      saver.Tick();
      ASSERT_LE(tiny.State.PhaseCounter, 0) << "tick " << tick;
      primarySolved = primarySolved || primary.State.MoveIndex == kSolved;
    }
    EXPECT_TRUE(primarySolved) << "the primary scrambled and solved meanwhile";
    EXPECT_EQ(DifferingPixels(AreaOf(saver.Window.Client, tiny), picture), 0);
    EXPECT_EQ(DifferingPixels(Pixels(tiny.WorkSurface), picture), 0);
  }
}

TEST(Scene, OneTimerOnePaintAndNothingLeftBehind) {
  for (bool picture : {true, false}) {
    MemorySaver saver(std::vector<ScreenRect>{{0, 0, 320, 240}, {-200, 0, 0, 150}});
    if (picture) GivePicture(saver, 320, 240);
    saver.Create();
    EXPECT_TRUE(saver.TimerOn);
    EXPECT_EQ(saver.Paints, 1);
    EXPECT_EQ(saver.Window.DisplaysOpen, 0);
    EXPECT_EQ(saver.Window.ContextsOut, 0);
    for (int tick = 0; tick < 50; ++tick) saver.Tick();
    EXPECT_EQ(saver.Window.ContextsOut, 0);
    EXPECT_EQ(saver.Paints, 1) << "ticks draw for themselves";
    saver.Destroy();
    EXPECT_EQ(saver.Surfaces->LiveObjects(), 0u);
  }
}

// The clock is read once for each tick that shuffles any puzzle, and on no
// other: the two monitors' first shuffles share one reading.
TEST(Scene, TheClockIsReadOnlyToShuffle) {
  MemorySaver saver(std::vector<ScreenRect>{{0, 0, 320, 240}, {320, 0, 640, 240}});
  GivePicture(saver, 320, 240);
  saver.SetCode(kSpeed, 4);
  saver.SetCode(kShuffleNum, 1);
  saver.Create();
  int shuffleTicks = 0;
  for (int tick = 0; tick < 1000; ++tick) {
    int waiting[2];
    for (int i = 0; i < 2; ++i) waiting[i] = saver.Scene.Puzzles[i].State.PhaseCounter <= 0;
    const int before = saver.Window.ClockReads;
    saver.Tick();
    // A shuffle ends a waiting phase: the puzzle solves from the next tick.
    bool shuffled = false;
    for (int i = 0; i < 2; ++i) {
      shuffled = shuffled || (waiting[i] && saver.Scene.Puzzles[i].State.PhaseCounter == 1);
    }
    shuffleTicks += shuffled;
    ASSERT_EQ(saver.Window.ClockReads - before, shuffled ? 1 : 0) << "tick " << tick;
  }
  EXPECT_GE(shuffleTicks, 3) << "the test saw whole cycles";
}

// Surfaces are asked for puzzle by puzzle, each puzzle's two (WorkSurface,
// which the picture is drawn into, and the corner patch) before the next's:
// surfaces 1 and 2 are the primary's, 3 and 4 the secondary's.
TEST(Scene, APuzzleThatCannotBeSetUpLeavesItsMonitorBlackAndTheOthersPlay) {
  // refused surfaces | primary ready | secondary ready | timer
  const struct {
    std::set<int> refused;
    bool primary, secondary, timer;
  } rows[] = {{{2}, false, true, true}, {{4}, true, false, true}, {{1, 3}, false, false, false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "primary " << row.primary << ", secondary " << row.secondary);
    MemorySaver saver(std::vector<ScreenRect>{{0, 0, 256, 192}, {256, 0, 456, 150}});
    GivePicture(saver, 256, 192);
    saver.Surfaces->RefusedSurfaces = row.refused;
    saver.Create();
    const PuzzleEngine& primary = saver.Scene.Puzzles[0];
    const PuzzleEngine& secondary = saver.Scene.Puzzles[1];
    EXPECT_EQ(IsPuzzleReady(primary), row.primary);
    EXPECT_EQ(IsPuzzleReady(secondary), row.secondary);
    EXPECT_EQ(saver.TimerOn, row.timer);
    for (int tick = 0; tick < 10; ++tick) saver.Tick();
    for (const PuzzleEngine* puzzle : {&primary, &secondary}) {
      if (IsPuzzleReady(*puzzle)) continue;
      EXPECT_TRUE(IsUniform(AreaOf(saver.Window.Client, *puzzle), 0, 0, puzzle->ScreenWidth,
                            puzzle->ScreenHeight, kBlack));
    }
    saver.Destroy();
    EXPECT_EQ(saver.Surfaces->LiveObjects(), 0u);
  }
}

TEST(Scene, APaintRequestRedrawsEveryMonitor) {
  MemorySaver saver(std::vector<ScreenRect>{{0, 0, 256, 192}, {-200, 0, 0, 150}});
  saver.SetCode(kSpeed, 3);
  saver.Create();
  for (int tick = 0; tick < 300; ++tick) {
    saver.Tick();
    const MemorySurface shown = saver.Window.Client;
    FillPixels(saver.Window.Client, 0, 0, shown.Width, shown.Height, kBlack);
    saver.Paint();
    ASSERT_EQ(DifferingPixels(saver.Window.Client, shown), 0) << "tick " << tick;
  }
}

// On a display of 256 colours the window's context holds the palette its
// picture needs, and every surface made on it the same: a picture's pixels
// are all the saver's palette's colours, a capture keeps its own. At 24 bits
// nothing holds a palette and nothing is dithered.
TEST(Scene, OnADisplayOf256ColoursTheWindowHoldsThePaletteItsPictureNeeds) {
  const std::set<uint32_t> palette(kSaverPalette.begin(), kSaverPalette.end());
  // picture (0: none, the desktop) | preview | 256 colours | window's palette | in the background
  const struct {
    const char* name;
    int32_t pictureWidth, pictureHeight;
    bool preview, colours256;
    PaletteKind kind;
    bool background;
  } rows[] = {
      {"picture of the screen's size",  320, 240, false, true,  PaletteKind::Saver,    false},
      {"stretched picture",             160, 120, false, true,  PaletteKind::Saver,    false},
      {"repeated picture",              100,  70, false, true,  PaletteKind::Saver,    false},
      {"picture in the preview",        320, 240, true,  true,  PaletteKind::Saver,    true},
      {"desktop",                         0,   0, false, true,  PaletteKind::Captured, false},
      {"desktop in the preview",          0,   0, true,  true,  PaletteKind::Default,  false},
      {"picture at 24 bits",            160, 120, false, false, PaletteKind::Default,  false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    MemorySaver saver({320, 240});
    MemorySaver plain({320, 240});
    for (MemorySaver* s : {&saver, &plain}) {
      if (row.pictureWidth != 0) GivePicture(*s, row.pictureWidth, row.pictureHeight);
      s->Window.Child = row.preview;
    }
    saver.Surfaces->PaletteDisplay = row.colours256;
    saver.Create();
    plain.Create();
    EXPECT_EQ(saver.Window.Client.Palette, row.kind);
    EXPECT_EQ(saver.Window.Client.PaletteInBackground, row.background);
    const PuzzleEngine& engine = saver.Engine;
    const bool dithered = row.kind == PaletteKind::Saver;
    EXPECT_EQ(Pixels(engine.WorkSurface).Palette == PaletteKind::Saver, dithered);
    EXPECT_EQ(Pixels(engine.CornerPatch).Palette == PaletteKind::Saver, dithered);
    if (dithered) {
      for (uint32_t pixel : Pixels(engine.WorkSurface).Pixels) ASSERT_EQ(palette.count(pixel), 1u) << pixel;
      EXPECT_EQ(DifferingPixels(Pixels(engine.CornerPatch), Pixels(engine.WorkSurface), 0, 0, 80, 80), 0);
    } else {
      EXPECT_EQ(DifferingPixels(Pixels(engine.WorkSurface), Pixels(plain.Engine.WorkSurface)), 0);
    }
    for (int tick = 0; tick < 30; ++tick) saver.Tick();
    saver.Destroy();
    EXPECT_EQ(saver.Window.Client.Palette, PaletteKind::Default) << "released with the scene";
    EXPECT_EQ(saver.Surfaces->LiveObjects(), 0u);
  }
}

}  // namespace

}  // namespace tessalander
