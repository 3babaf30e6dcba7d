#include "host/saver_window_step.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "host/saver_window_layout.h"
#include "host/tests/fake_saver_platform.h"

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

struct ProcRow {
  Mode mode;
  uint32_t message;
  uintptr_t wParam;
  intptr_t result;
  const char* events;
};

// The engine is a stub here: "engine" means the message was handed on.
// mode             message          wParam   result          host's calls, in order
const ProcRow kRows[] = {
    {Full,            kWmCreate,       0,       kEngineAnswer,  "detach cursor hide engine"},
    {Preview,         kWmCreate,       0,       kEngineAnswer,  "detach cursor engine"},
    {Full,            kWmDestroy,      0,       kEngineAnswer,  "restore quit engine"},
    {Preview,         kWmDestroy,      0,       kEngineAnswer,  "restore quit engine"},
    {Approved,        kWmDestroy,      0,       kEngineAnswer,  "restore quit engine"},
    {Full,            kWmSetText,      0,       0,              ""},
    {Preview,         kWmSetText,      0,       0,              ""},
    {Full,            kWmPaint,        0,       kEngineAnswer,  "hide engine"},
    {Preview,         kWmPaint,        0,       kEngineAnswer,  "engine"},
    {Approved,        kWmPaint,        0,       kDefaultAnswer, "default"},
    {ApprovedPreview, kWmPaint,        0,       kDefaultAnswer, "default"},
    {Full,            kWmHelp,         0,       kEngineAnswer,  "engine"},
    {Full,            kWmContextMenu,  0,       kEngineAnswer,  "engine"},
    {Preview,         kWmHelp,         0,       1,              "parent"},
    {Preview,         kWmContextMenu,  0,       1,              "parent"},
    {Full,            kWmKeyDown,      0x41,    kEngineAnswer,  "engine"},
    {Full,            kWmSysKeyDown,   0x12,    kEngineAnswer,  "engine"},
    {Full,            kWmMouseMove,    0,       kEngineAnswer,  "engine"},
    {Full,            kWmLButtonDown,  1,       kEngineAnswer,  "engine"},
    {Full,            kWmRButtonDown,  2,       kEngineAnswer,  "engine"},
    {Full,            kWmMButtonDown,  0x10,    kEngineAnswer,  "engine"},
    {Approved,        kWmKeyDown,      0x41,    kDefaultAnswer, "default"},
    {Approved,        kWmSysKeyDown,   0x12,    kDefaultAnswer, "default"},
    {Approved,        kWmMouseMove,    0,       kDefaultAnswer, "default"},
    {Approved,        kWmLButtonDown,  1,       kDefaultAnswer, "default"},
    {Approved,        kWmRButtonDown,  2,       kDefaultAnswer, "default"},
    {Approved,        kWmMButtonDown,  0x10,    kDefaultAnswer, "default"},
    {Full,            kWmSysCommand,   kScNextWindow, 0,        ""},
    {Full,            kWmSysCommand,   kScPrevWindow, 0,        ""},
    {Full,            kWmSysCommand,   kScScreenSave, 0,        ""},
    {Full,            kWmSysCommand,   kScNextWindow | 1, kEngineAnswer, "engine"},
    {Full,            kWmSysCommand,   kScScreenSave | 2, kEngineAnswer, "engine"},
    {Full,            kWmSysCommand,   kScClose,      kEngineAnswer, "engine"},
    {Preview,         kWmSysCommand,   kScNextWindow, kEngineAnswer, "engine"},
    {Preview,         kWmSysCommand,   kScScreenSave, kEngineAnswer, "engine"},
    {Approved,        kWmSysCommand,   kScScreenSave, 0,        ""},
    {Full,            kWmTimer,        101,     kEngineAnswer,  "engine"},
    {Preview,         kWmTimer,        101,     kEngineAnswer,  "engine"},
    {Approved,        kWmTimer,        101,     0,              ""},
    {Full,            kWmClose,        0,       kEngineAnswer,  "engine"},
    {Approved,        kWmClose,        0,       kEngineAnswer,  "engine"},
    {Full,            kWmSetCursor,    0,       kEngineAnswer,  "engine"},
    {Full,            kWmApp,          0,       kEngineAnswer,  "engine"},
    {Full,            kWmDisplayChange, 0,      kEngineAnswer,  "post-relayout engine"},
    {Preview,         kWmDisplayChange, 0,      kEngineAnswer,  "engine"},
    {Approved,        kWmDisplayChange, 0,      kEngineAnswer,  "engine"},
    {Full,            kWmRelayout,     0,       0,              "relayout"},
    {Preview,         kWmRelayout,     0,       0,              ""},
    {Approved,        kWmRelayout,     0,       0,              ""},
};

TEST(SaverWindowProc, EveryRow) {
  for (const auto& row : kRows) {
    SCOPED_TRACE(testing::Message() << ModeName(row.mode) << ", message 0x" << std::hex
                                    << row.message << ", wParam 0x" << row.wParam);
    HostFlags flags;
    flags.IsPreview = row.mode == Preview || row.mode == ApprovedPreview;
    flags.CloseApproved = row.mode == Approved || row.mode == ApprovedPreview;
    FakeSaverPlatform platform(flags);
    EXPECT_EQ(RunSaverWindowStep(flags, platform, WindowMessage{row.message, row.wParam, 0}),
              row.result);
    EXPECT_EQ(platform.Events(), row.events);
  }
}

TEST(SaverWindowProc, CreationTakesTheCursorAsTheTravelReference) {
  HostFlags flags;
  FakeSaverPlatform platform(flags);
  platform.cursor = ScreenPoint{-20, 300};
  RunSaverWindowStep(flags, platform, WindowMessage{kWmCreate, 0, 0});
  EXPECT_EQ(flags.MouseReference.x, -20);
  EXPECT_EQ(flags.MouseReference.y, 300);
}

TEST(SaverWindowProc, PreviewHelpGoesToTheParentWithItsPosition) {
  HostFlags flags;
  flags.IsPreview = 1;
  FakeSaverPlatform platform(flags);
  const intptr_t position = (77 << 16) | 33;
  RunSaverWindowStep(flags, platform, WindowMessage{kWmContextMenu, 0x1234, position});
  ASSERT_EQ(platform.parentPosts.size(), 1u);
  EXPECT_EQ(platform.parentPosts[0].message, kWmContextMenu);
  EXPECT_EQ(platform.parentPosts[0].lParam, position);
}

// The whole chain, with the engine handing every message to the close policy.
struct ChainRow {
  const char* name;
  int closeApproved;
  uint32_t message;
  const char* events;
};

const ChainRow kChain[] = {
    {"a key closes",                     0, kWmKeyDown, "engine close default"},
    {"after approval a key is ignored",  1, kWmKeyDown, "default"},
    {"a tick reaches the engine",        0, kWmTimer,   "engine default"},
    {"after approval no tick does",      1, kWmTimer,   ""},
    {"the cursor stays hidden",          0, kWmSetCursor, "engine hide"},
    {"a display change closes nothing",  0, kWmDisplayChange, "post-relayout engine default"},
};

TEST(SaverWindowProc, ThroughTheEngineToTheClosePolicy) {
  for (const auto& row : kChain) {
    SCOPED_TRACE(row.name);
    HostFlags flags;
    flags.CloseApproved = row.closeApproved;
    FakeSaverPlatform platform(flags);
    platform.engineForwards = true;
    RunSaverWindowStep(flags, platform, WindowMessage{row.message, 101, 0});
    EXPECT_EQ(platform.Events(), row.events);
  }
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
