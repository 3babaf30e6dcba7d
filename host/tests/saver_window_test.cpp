#include "host/saver_window_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "host/display_power.h"
#include "host/saver_window_layout.h"
#include "host/window_messages.h"

namespace tessalander {

namespace {

enum Mode { Full, Preview, Approved, ApprovedPreview, DisplaysOff };

const char* ModeName(Mode mode) {
  switch (mode) {
    case Full: return "full screen";
    case Preview: return "preview";
    case Approved: return "full screen, closing approved";
    case ApprovedPreview: return "preview, closing approved";
    case DisplaysOff: return "full screen, the displays off";
  }
  return "?";
}

inline constexpr uintptr_t kScClose = 0xF060;

// What the window procedure lets through, by mode. The blocked commands are
// SC_NEXTWINDOW, SC_PREVWINDOW and SC_SCREENSAVE; SC_CLOSE and the blocked
// ones with low bits set pass, as does every command in the preview.
// mode             commands blocked  paints  ticks  cursor hidden  help to parent  follows display
//                  palette in the background
const struct {
  Mode mode;
  bool blocks, animationRuns, ticksRun, hidesCursor, helpToParent, followsDisplayChange, paletteBehind;
} kDecisions[] = {
    {Full,            true,  true,  true,  true,  false, true,  false},
    {Preview,         false, true,  true,  false, true,  false, true},
    {Approved,        true,  false, false, true,  false, false, false},
    {ApprovedPreview, false, false, false, false, true,  false, true},
    {DisplaysOff,     true,  true,  false, true,  false, true,  false},
};

TEST(SaverWindowRules, EveryModeRow) {
  for (const auto& row : kDecisions) {
    SCOPED_TRACE(ModeName(row.mode));
    HostFlags flags;
    flags.IsPreview = row.mode == Preview || row.mode == ApprovedPreview;
    flags.CloseApproved = row.mode == Approved || row.mode == ApprovedPreview;
    flags.DisplayOff = row.mode == DisplaysOff;
    for (uintptr_t command : {kScNextWindow, kScPrevWindow, kScScreenSave}) {
      EXPECT_EQ(IsBlockedSystemCommand(flags, command), row.blocks) << std::hex << command;
    }
    for (uintptr_t command : {kScNextWindow | 1, kScScreenSave | 2, kScClose, uintptr_t{0}}) {
      EXPECT_FALSE(IsBlockedSystemCommand(flags, command)) << std::hex << command;
    }
    EXPECT_EQ(AnimationRuns(flags), row.animationRuns);
    EXPECT_EQ(TicksRun(flags), row.ticksRun);
    EXPECT_EQ(HidesCursor(flags), row.hidesCursor);
    EXPECT_EQ(HelpGoesToParent(flags), row.helpToParent);
    EXPECT_EQ(FollowsDisplayChange(flags), row.followsDisplayChange);
    EXPECT_EQ(RealizesPaletteInBackground(flags), row.paletteBehind);
  }
}

TEST(SaverWindowRules, PaletteMessages) {
  // message | sent for the window's own realisation | realises its palette
  const struct {
    const char* name;
    uint32_t message;
    bool ownChange, realizes;
  } rows[] = {
      {"about to get the focus", kWmQueryNewPalette, false, true},
      {"another window's change", kWmPaletteChanged, false, true},
      {"its own change", kWmPaletteChanged, true, false},
      {"another message", kWmPaint, false, false},
  };
  for (const auto& row : rows) EXPECT_EQ(RealizesPalette(row.message, row.ownChange), row.realizes) << row.name;
  // RealizePalette's answer | drawn again
  const struct {
    uint32_t remapped;
    bool repaints;
  } answers[] = {{0, false}, {1, true}, {251, true}, {kGdiError, false}};
  for (const auto& row : answers) EXPECT_EQ(RepaintsAfterRealizing(row.remapped), row.repaints) << row.remapped;
}

TEST(SaverWindowRules, TheTimerRunsWhileTheSceneHasSomethingToShowOnDisplaysThatAreOn) {
  Scene nothing, something;
  something.Animates = true;
  HostFlags on, off;
  off.DisplayOff = true;
  EXPECT_FALSE(TimerRuns(nullptr, on));
  EXPECT_FALSE(TimerRuns(&nothing, on));
  EXPECT_TRUE(TimerRuns(&something, on));
  EXPECT_FALSE(TimerRuns(&something, off));
}

TEST(DisplayPower, TheSettingEachWindowsReports) {
  // GetVersionExA's version | the setting registered for (nullptr: none)
  const struct {
    uint32_t major, minor;
    const SettingGuid* setting;
  } rows[] = {
      {4, 10, nullptr}, {5, 1, nullptr},                           // Windows 98, XP
      {6, 0, &kMonitorPowerOn}, {6, 1, &kMonitorPowerOn},          // Vista, 7
      {6, 2, &kConsoleDisplayState}, {6, 3, &kConsoleDisplayState}, // 8, 8.1
      {10, 0, &kConsoleDisplayState},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(DisplaySettingFor(row.major, row.minor), row.setting) << row.major << "." << row.minor;
  }
}

TEST(DisplayPower, WhatANotificationSaysOfTheDisplays) {
  // GUID_ACDC_POWER_SOURCE: a setting the saver never asks for.
  constexpr SettingGuid kPowerSource = {
      0x5D3E9A59, 0xE9D5, 0x4B00, {0xA6, 0xBD, 0xFF, 0x34, 0xFF, 0x51, 0x65, 0x48}};
  // setting | data length | data, a little-endian DWORD | what it says
  const struct {
    const char* name;
    SettingGuid setting;
    uint32_t length;
    uint8_t data[4];
    DisplayPower power;
  } rows[] = {
      {"console off",           kConsoleDisplayState, 4, {0, 0, 0, 0}, DisplayPower::Off},
      {"console on",            kConsoleDisplayState, 4, {1, 0, 0, 0}, DisplayPower::On},
      {"console dimmed",        kConsoleDisplayState, 4, {2, 0, 0, 0}, DisplayPower::On},
      {"console, a high byte",  kConsoleDisplayState, 4, {0, 1, 0, 0}, DisplayPower::On},
      {"monitor off",           kMonitorPowerOn,      4, {0, 0, 0, 0}, DisplayPower::Off},
      {"monitor on",            kMonitorPowerOn,      4, {1, 0, 0, 0}, DisplayPower::On},
      {"another setting",       kPowerSource,         4, {0, 0, 0, 0}, DisplayPower::Unknown},
      {"data cut short",        kConsoleDisplayState, 3, {0, 0, 0, 0}, DisplayPower::Unknown},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ReadDisplayPower(row.setting, row.length, row.data), row.power) << row.name;
  }
  EXPECT_EQ(ReadDisplayPower(kConsoleDisplayState, 4, nullptr), DisplayPower::Unknown);
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
