#include "host/close_policy.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "host/tests/fake_saver_platform.h"

namespace tessalander {

namespace {

constexpr uint32_t kAutoPlay = 0xC0DE;  // a registered message number

WindowMessage Msg(uint32_t message, uintptr_t wParam = 0) { return WindowMessage{message, wParam, 0}; }

struct MessageRow {
  const char* name;
  uint32_t message;
  uintptr_t wParam;
  intptr_t result;
  const char* events;
};

// The full-screen saver on the NT family, nothing pending.
// message                         wParam  result          platform calls, in order
const MessageRow kFullScreenRows[] = {
    {"WM_SHOWWINDOW shown",        kWmShowWindow,     1,      kDefaultAnswer, "hide default"},
    {"WM_SHOWWINDOW hidden",       kWmShowWindow,     0,      kDefaultAnswer, "default"},
    {"WM_ACTIVATEAPP lost",        kWmActivateApp,    0,      kDefaultAnswer, "close default"},
    {"WM_ACTIVATEAPP gained",      kWmActivateApp,    1,      kDefaultAnswer, "default"},
    {"WM_SETCURSOR",               kWmSetCursor,      0,      1,              "hide"},
    {"WM_POWER 0",                 kWmPower,          0,      kDefaultAnswer, "default"},
    {"WM_POWER 1",                 kWmPower,          1,      kDefaultAnswer, "default"},
    {"WM_POWER 2",                 kWmPower,          2,      kDefaultAnswer, "default"},
    {"WM_POWER critical resume",   kWmPower,          3,      kDefaultAnswer, "close default"},
    {"WM_POWER 4",                 kWmPower,          4,      kDefaultAnswer, "default"},
    {"WM_POWER 0x103",             kWmPower,          0x103,  kDefaultAnswer, "default"},
    {"WM_KEYDOWN",                 kWmKeyDown,        0x41,   kDefaultAnswer, "close default"},
    {"WM_SYSKEYDOWN",              kWmSysKeyDown,     0x12,   kDefaultAnswer, "close default"},
    {"WM_LBUTTONDOWN",             kWmLButtonDown,    1,      kDefaultAnswer, "close default"},
    {"WM_RBUTTONDOWN",             kWmRButtonDown,    2,      kDefaultAnswer, "close default"},
    {"WM_MBUTTONDOWN",             kWmMButtonDown,    0x10,   kDefaultAnswer, "close default"},
    {"WM_POWERBROADCAST 0",        kWmPowerBroadcast, 0,      kDefaultAnswer, "close default"},
    {"PBT_APMSUSPEND",             kWmPowerBroadcast, 4,      kDefaultAnswer, "close default"},
    {"PBT_APMRESUMESUSPEND",       kWmPowerBroadcast, 7,      kDefaultAnswer, "close default"},
    {"PBT_APMPOWERSTATUSCHANGE",   kWmPowerBroadcast, 10,     kDefaultAnswer, "default"},
    {"PBT_APMRESUMEAUTOMATIC",     kWmPowerBroadcast, 0x12,   kDefaultAnswer, "close default"},
    {"PBT_POWERSETTINGCHANGE",     kWmPowerBroadcast, 0x8013, kDefaultAnswer, "default"},
    {"WM_POWERBROADCAST 0x8012",   kWmPowerBroadcast, 0x8012, kDefaultAnswer, "close default"},
    {"WM_MOUSEMOVE, no travel",    kWmMouseMove,      0,      kDefaultAnswer, "cursor default"},
    {"WM_KEYUP",                   kWmKeyUp,          0x41,   kDefaultAnswer, "default"},
    {"WM_LBUTTONUP",               kWmLButtonUp,      0,      kDefaultAnswer, "default"},
    {"WM_LBUTTONDBLCLK",           kWmLButtonDblClk,  1,      kDefaultAnswer, "default"},
    {"WM_TIMER",                   kWmTimer,          101,    kDefaultAnswer, "default"},
    {"WM_PAINT",                   kWmPaint,          0,      kDefaultAnswer, "default"},
    {"WM_CLOSE on NT",             kWmClose,          0,      kDefaultAnswer, "default"},
    {"WM_APP on NT",               kWmApp,            0,      kDefaultAnswer, "default"},
};

TEST(SaverDefaultProc, FullScreenRows) {
  for (const auto& row : kFullScreenRows) {
    SCOPED_TRACE(row.name);
    HostFlags flags;
    flags.MouseReference = {500, 400};
    FakeSaverPlatform platform(flags);
    EXPECT_EQ(SaverDefaultProc(flags, platform, Msg(row.message, row.wParam)), row.result);
    EXPECT_EQ(platform.Events(), row.events);
    EXPECT_EQ(flags.CloseApproved, 0);
  }
}

struct GateRow {
  const char* name;
  int isPreview;
  int closeApproved;
  int verifyInProgress;
};

// Each of these switches the input rows off: the message goes straight to
// DefWindowProcA, the cursor is left alone and no close is posted.
const GateRow kGates[] = {
    {"preview",                  1, 0, 0},
    {"closing approved",         0, 1, 0},
    {"password dialog running",  0, 0, 1},
};

TEST(SaverDefaultProc, InputRowsAreOffInPreviewAfterApprovalAndDuringTheDialog) {
  for (const auto& gate : kGates) {
    for (const auto& row : kFullScreenRows) {
      if (row.message == kWmClose || row.message == kWmApp) continue;
      SCOPED_TRACE(testing::Message() << gate.name << ", " << row.name);
      HostFlags flags;
      flags.IsWindows9x = 1;
      flags.IsPreview = gate.isPreview;
      flags.CloseApproved = gate.closeApproved;
      flags.VerifyInProgress = gate.verifyInProgress;
      FakeSaverPlatform platform(flags);
      platform.cursor = ScreenPoint{900, 700};  // far from the reference
      EXPECT_EQ(SaverDefaultProc(flags, platform, Msg(row.message, row.wParam)), kDefaultAnswer);
      EXPECT_EQ(platform.Events(), "default");
    }
  }
}

struct TravelRow {
  const char* name;
  std::vector<ScreenPoint> positions;  // successive cursor readings, one WM_MOUSEMOVE each
  std::vector<bool> closes;            // whether each one posted a close
};

// The reference starts at (100, 100).
const TravelRow kTravel[] = {
    {"2 right, 2 down",           {{102, 102}},                                     {false}},
    {"3 right, 2 down",           {{103, 102}},                                     {true}},
    {"2 left, 2 up",              {{98, 98}},                                       {false}},
    {"3 left, 2 up",              {{97, 98}},                                       {true}},
    {"2 right, 2 up",             {{102, 98}},                                      {false}},
    {"5 down",                    {{100, 105}},                                     {true}},
    {"4 left",                    {{96, 100}},                                      {false}},
    {"five 1-pixel steps",        {{101, 100}, {102, 100}, {103, 100}, {104, 100}, {105, 100}},
                                  {false, false, false, false, true}},
    {"back and forth",            {{104, 100}, {100, 100}, {96, 100}, {100, 100}},  {false, false, false, false}},
    {"after a close, from there", {{105, 100}, {108, 100}, {110, 100}},             {true, false, true}},
};

TEST(SaverDefaultProc, MouseTravelAddsUpAgainstTheReferenceUntilAClose) {
  for (const auto& row : kTravel) {
    SCOPED_TRACE(row.name);
    HostFlags flags;
    flags.MouseReference = {100, 100};
    FakeSaverPlatform platform(flags);
    ScreenPoint reference = flags.MouseReference;
    for (size_t i = 0; i < row.positions.size(); ++i) {
      SCOPED_TRACE(i);
      platform.events.clear();
      platform.cursor = row.positions[i];
      SaverDefaultProc(flags, platform, Msg(kWmMouseMove));
      EXPECT_EQ(platform.Events(), row.closes[i] ? "cursor close default" : "cursor default");
      if (row.closes[i]) reference = row.positions[i];
      EXPECT_EQ(flags.MouseReference.x, reference.x);
      EXPECT_EQ(flags.MouseReference.y, reference.y);
    }
  }
}

TEST(SaverDefaultProc, AnUnreadableCursorHasNotMoved) {
  HostFlags flags;
  flags.MouseReference = {100, 100};
  FakeSaverPlatform platform(flags);
  platform.cursor.reset();
  SaverDefaultProc(flags, platform, Msg(kWmMouseMove));
  EXPECT_EQ(platform.Events(), "cursor default");
  EXPECT_EQ(flags.MouseReference.x, 100);
}

TEST(MouseTravel, SumsBothAxesInWrapping32BitArithmetic) {
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  const struct {
    ScreenPoint from, to;
    uint32_t travel;
  } rows[] = {
      {{0, 0},       {3, 2},       5},
      {{0, 0},       {-3, -2},     5},
      {{-10, 20},    {10, -20},    60},
      {{0, 0},       {kMin, 0},    0x80000000u},
      {{kMax, 0},    {kMin, 0},    1},            // wraps: one step across the edge
      {{0, kMin},    {0, kMax},    1},
      {{-1, -1},     {-1, -1},     0},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(MouseTravel(row.from, row.to), row.travel)
        << "(" << row.from.x << "," << row.from.y << ") to (" << row.to.x << "," << row.to.y << ")";
  }
}

struct Win9xRow {
  const char* name;
  bool verifierLoaded;
  std::vector<intptr_t> verifierAnswers;
  uint32_t message;
  intptr_t result;
  int closeApproved;
  const char* events;
};

const Win9xRow kWin9xRows[] = {
    {"WM_CLOSE, no password",       false, {},  kWmClose, kDefaultAnswer, 1, "default"},
    {"WM_CLOSE, password accepted", true,  {1}, kWmClose, kDefaultAnswer, 1,
     "tick drop-tick drop-tick request verifier tick default"},
    {"WM_CLOSE, password refused",  true,  {0}, kWmClose, 0,              0,
     "tick drop-tick drop-tick request verifier hide tick cursor"},
    {"WM_APP, no verifier",         false, {},  kWmApp,   1,              0, ""},
    {"WM_APP, verifier says 0",     true,  {0}, kWmApp,   0,              0, "verifier"},
    {"WM_APP, verifier says 1",     true,  {1}, kWmApp,   1,              0, "verifier"},
    {"WM_APP, answer passed as is", true,  {7}, kWmApp,   7,              0, "verifier"},
};

TEST(SaverDefaultProc, CloseAndVerificationRequestOnWindows9x) {
  for (const auto& row : kWin9xRows) {
    SCOPED_TRACE(row.name);
    HostFlags flags;
    flags.IsWindows9x = 1;
    flags.MouseReference = {1, 1};
    if (row.verifierLoaded) flags.Verifier = &DummyVerifier;
    FakeSaverPlatform platform(flags);
    platform.verifierAnswers.assign(row.verifierAnswers.begin(), row.verifierAnswers.end());
    EXPECT_EQ(SaverDefaultProc(flags, platform, Msg(row.message)), row.result);
    EXPECT_EQ(flags.CloseApproved, row.closeApproved);
    EXPECT_EQ(platform.Events(), row.events);
  }
}

TEST(SaverDefaultProc, ARefusedCloseRestartsTravelFromTheCursor) {
  HostFlags flags;
  flags.IsWindows9x = 1;
  flags.Verifier = &DummyVerifier;
  flags.MouseReference = {100, 100};
  FakeSaverPlatform platform(flags);
  platform.cursor = ScreenPoint{300, 200};
  ASSERT_EQ(SaverDefaultProc(flags, platform, Msg(kWmClose)), 0);
  EXPECT_EQ(flags.MouseReference.x, 300);
  EXPECT_EQ(flags.MouseReference.y, 200);

  // Two pixels from the new reference are not enough to ask again.
  platform.events.clear();
  platform.cursor = ScreenPoint{302, 202};
  SaverDefaultProc(flags, platform, Msg(kWmMouseMove));
  EXPECT_EQ(platform.Events(), "cursor default");
}

TEST(SaverDefaultProc, OnceApprovedTheFirstCloseEndsItAndInputIsIgnored) {
  HostFlags flags;
  flags.IsWindows9x = 1;
  FakeSaverPlatform platform(flags);
  EXPECT_EQ(SaverDefaultProc(flags, platform, Msg(kWmClose)), kDefaultAnswer);
  EXPECT_EQ(flags.CloseApproved, 1);
  platform.events.clear();
  // Closes still waiting in the queue go straight through; no new ones are posted.
  EXPECT_EQ(SaverDefaultProc(flags, platform, Msg(kWmClose)), kDefaultAnswer);
  EXPECT_EQ(SaverDefaultProc(flags, platform, Msg(kWmKeyDown)), kDefaultAnswer);
  EXPECT_EQ(platform.Events(), "default default");
}

struct AutoPlayRow {
  const char* name;
  uint32_t registered;
  uint32_t message;
  int isPreview;
  bool verifierLoaded;
  intptr_t result;
  const char* events;
};

const AutoPlayRow kAutoPlayRows[] = {
    {"password saver cancels AutoPlay",    kAutoPlay, kAutoPlay, 0, true,  1,              "close"},
    {"no password: AutoPlay may run",      kAutoPlay, kAutoPlay, 0, false, 0,              "close"},
    {"preview closes too",                 kAutoPlay, kAutoPlay, 1, false, 0,              "close"},
    {"not registered (NT): message 0",     0,         0,         0, false, kDefaultAnswer, "default"},
    {"other registered message",           kAutoPlay, kAutoPlay + 1, 0, true, kDefaultAnswer, "default"},
};

TEST(SaverDefaultProc, AutoPlayQuery) {
  for (const auto& row : kAutoPlayRows) {
    SCOPED_TRACE(row.name);
    HostFlags flags;
    flags.IsWindows9x = row.registered != 0;
    flags.AutoPlayMessage = row.registered;
    flags.IsPreview = row.isPreview;
    if (row.verifierLoaded) flags.Verifier = &DummyVerifier;
    FakeSaverPlatform platform(flags);
    EXPECT_EQ(SaverDefaultProc(flags, platform, Msg(row.message)), row.result);
    EXPECT_EQ(platform.Events(), row.events);
  }
}

}  // namespace

}  // namespace tessalander
