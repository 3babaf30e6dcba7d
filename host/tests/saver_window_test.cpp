#include "host/saver_window_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "host/saver_window_layout.h"
#include "host/window_messages.h"

namespace tessalander {

namespace {

enum Mode { Full, Preview, Approved, ApprovedPreview };

const char* ModeName(Mode mode) {
  switch (mode) {
    case Full: return "full screen";
    case Preview: return "preview";
    case Approved: return "full screen, closing approved";
    case ApprovedPreview: return "preview, closing approved";
  }
  return "?";
}

inline constexpr uintptr_t kScClose = 0xF060;

// What the window procedure lets through, by mode. The blocked commands are
// SC_NEXTWINDOW, SC_PREVWINDOW and SC_SCREENSAVE; SC_CLOSE and the blocked
// ones with low bits set pass, as does every command in the preview.
// mode             commands blocked  ticks/paints  cursor hidden  help to parent  follows display
const struct {
  Mode mode;
  bool blocks, animationRuns, hidesCursor, helpToParent, followsDisplayChange;
} kDecisions[] = {
    {Full,            true,  true,  true,  false, true},
    {Preview,         false, true,  false, true,  false},
    {Approved,        true,  false, true,  false, false},
    {ApprovedPreview, false, false, false, true,  false},
};

TEST(SaverWindowRules, EveryModeRow) {
  for (const auto& row : kDecisions) {
    SCOPED_TRACE(ModeName(row.mode));
    HostFlags flags;
    flags.IsPreview = row.mode == Preview || row.mode == ApprovedPreview;
    flags.CloseApproved = row.mode == Approved || row.mode == ApprovedPreview;
    for (uintptr_t command : {kScNextWindow, kScPrevWindow, kScScreenSave}) {
      EXPECT_EQ(IsBlockedSystemCommand(flags, command), row.blocks) << std::hex << command;
    }
    for (uintptr_t command : {kScNextWindow | 1, kScScreenSave | 2, kScClose, uintptr_t{0}}) {
      EXPECT_FALSE(IsBlockedSystemCommand(flags, command)) << std::hex << command;
    }
    EXPECT_EQ(AnimationRuns(flags), row.animationRuns);
    EXPECT_EQ(HidesCursor(flags), row.hidesCursor);
    EXPECT_EQ(HelpGoesToParent(flags), row.helpToParent);
    EXPECT_EQ(FollowsDisplayChange(flags), row.followsDisplayChange);
  }
}

TEST(SaverWindowRules, TheTimerRunsWhileTheSceneHasSomethingToShow) {
  Scene nothing, something;
  something.Animates = true;
  EXPECT_FALSE(TimerRuns(nullptr));
  EXPECT_FALSE(TimerRuns(&nothing));
  EXPECT_TRUE(TimerRuns(&something));
}

struct LayoutRow {
  const char* name;
  bool preview;
  ScreenRect rect;  // the clip box, or the parent's client rectangle
  uint32_t exStyle;
  uint32_t style;
  const char* title;
  int32_t x, y, width, height;
};

const LayoutRow kLayouts[] = {
    {"full screen",              false, {0, 0, 1024, 768},     0x8, 0x96000000, "Screen Saver", 0, 0, 1024, 768},
    {"clip box off the origin",  false, {-1280, 0, 1024, 1024}, 0x8, 0x96000000, "Screen Saver", -1280, 0, 2304, 1024},
    {"preview",                  true,  {0, 0, 152, 112},      0,   0x52000000, "Preview",      0, 0, 152, 112},
    {"preview of an empty parent", true, {0, 0, 0, 0},         0,   0x52000000, "Preview",      0, 0, 0, 0},
};

TEST(SaverWindowLayout, BothColumnsOfTheWindowTable) {
  for (const auto& row : kLayouts) {
    SCOPED_TRACE(row.name);
    const SaverWindowLayout layout = row.preview ? PreviewLayout(row.rect) : FullScreenLayout(row.rect);
    EXPECT_EQ(layout.exStyle, row.exStyle);
    EXPECT_EQ(layout.style, row.style);
    EXPECT_STREQ(layout.title, row.title);
    EXPECT_EQ(layout.x, row.x);
    EXPECT_EQ(layout.y, row.y);
    EXPECT_EQ(layout.width, row.width);
    EXPECT_EQ(layout.height, row.height);
  }
}

TEST(SaverWindowLayout, TheFullScreenWindowCoversTheVirtualScreen) {
  const ScreenRect left{-800, 0, 1024, 768}, primary{0, 0, 1024, 768}, none{0, 0, 0, 0};
  // clip box known | clip box | virtual screen metrics | what the window covers
  const struct {
    const char* name;
    bool known;
    ScreenRect clip, virtualScreen, covered;
  } rows[] = {
      {"the clip box", true, left, {-800, 0, 1024, 600}, left},
      {"no context or an error", false, primary, left, left},
      {"NULLREGION", true, none, left, left},
      {"no virtual screen metrics", false, none, none, primary},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const ScreenRect r = FullScreenArea(row.known, row.clip, row.virtualScreen, primary);
    EXPECT_EQ(std::vector<int32_t>({r.left, r.top, r.right, r.bottom}),
              std::vector<int32_t>({row.covered.left, row.covered.top, row.covered.right,
                                    row.covered.bottom}));
  }
}

}  // namespace

}  // namespace tessalander
