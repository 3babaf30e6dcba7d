// Where the screen lies in a display context, as Wine and Windows lay it out,
// and a desktop capture that copies the right pixels under either.
#include "engine/display_view.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/tests/support/engine_test_support.h"

namespace tessalander {

namespace {

std::vector<int32_t> Numbers(const DisplayView& v) {
  return {v.screen.left, v.screen.top, v.screen.right, v.screen.bottom, v.origin.x, v.origin.y};
}

TEST(DisplayView, WhereTheScreenLiesInTheContext) {
  // A 1024 x 768 primary; an 800 x 600 secondary where the name says.
  const ScreenRect primary{0, 0, 1024, 768};
  const ScreenRect right{0, 0, 1824, 768}, left{-800, 0, 1024, 768}, above{0, -600, 1024, 768};
  // monitors | virtual screen | clip box known, clip box | screen rect, origin in the context
  const struct {
    const char* name;
    int32_t monitors;
    ScreenRect virtualScreen;
    bool known;
    ScreenRect clip;
    std::vector<int32_t> view;
  } rows[] = {
      {"one monitor", 1, primary, true, primary, {0, 0, 1024, 768, 0, 0}},
      {"Wine, secondary right", 2, right, true, {0, 0, 1824, 768}, {0, 0, 1824, 768, 0, 0}},
      {"Wine, secondary left", 2, left, true, {0, 0, 1824, 768}, {-800, 0, 1024, 768, 800, 0}},
      {"Wine, secondary above", 2, above, true, {0, 0, 1024, 1368}, {0, -600, 1024, 768, 0, 600}},
      {"Windows, secondary right", 2, right, true, right, {0, 0, 1824, 768, 0, 0}},
      {"Windows, secondary left", 2, left, true, left, {-800, 0, 1024, 768, 0, 0}},
      {"Windows, secondary above", 2, above, true, above, {0, -600, 1024, 768, 0, 0}},
      {"a context of the primary alone", 2, left, true, primary, {0, 0, 1024, 768, 0, 0}},
      {"an empty clip box", 2, left, true, {0, 0, 0, 0}, {0, 0, 1024, 768, 0, 0}},
      {"no clip box", 2, left, false, left, {0, 0, 1024, 768, 0, 0}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    DisplayFacts facts;
    facts.horzRes = 1024;
    facts.vertRes = 768;
    facts.monitors = row.monitors;
    facts.virtualScreen = row.virtualScreen;
    facts.clipBoxKnown = row.known;
    facts.clipBox = row.clip;
    EXPECT_EQ(Numbers(ViewOfDisplayFacts(facts)), row.view);
  }
}

TEST(DisplayView, EachMonitorIsCapturedUnderEitherContext) {
  using Kind = MemoryWindow::DisplayKind;
  const std::vector<ScreenRect> layouts[] = {
      {{0, 0, 64, 48}, {-40, 0, 0, 30}},   // left of the primary
      {{0, 0, 64, 48}, {8, -30, 48, 0}},   // above it
      {{0, 0, 64, 48}, {64, 10, 104, 40}}, // right of it
  };
  for (const auto& monitors : layouts) {
    for (Kind kind : {Kind::VirtualCorner, Kind::ScreenCoordinates}) {
      SCOPED_TRACE(testing::Message() << "secondary at " << monitors[1].left << "," << monitors[1].top
                                      << (kind == Kind::VirtualCorner ? ", Wine" : ", Windows"));
      MemorySaver saver(monitors);
      saver.Window.DisplayContext = kind;
      saver.Create();
      const ScreenRect& corner = saver.Window.VirtualScreen;
      for (int i = 0; i < 2; ++i) {
        const PuzzleEngine& puzzle = saver.Scene.Puzzles[i];
        const ScreenRect& m = monitors[i];
        MemorySurface expected(m.right - m.left, m.bottom - m.top);
        MemorySurface display = saver.Window.Display;
        display.OriginX = display.OriginY = 0;
        CopyPixels(expected, 0, 0, expected.Width, expected.Height, display, m.left - corner.left,
                   m.top - corner.top);
        EXPECT_EQ(DifferingPixels(Pixels(puzzle.WorkSurface), expected), 0) << "monitor " << i;
      }
    }
  }
}

}  // namespace

}  // namespace tessalander
