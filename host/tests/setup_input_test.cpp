#include "host/setup_input.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

namespace tessalander {

namespace {

constexpr int kVkReturn = 0x0D;
constexpr int kVkLButton = 0x01;
constexpr int kVkA = 0x41;
constexpr int kVkOem = 0xFE;  // the last code the host reads

enum Asked { Unknown, Known };

struct Row {
  const char* name;
  bool preview;
  Asked asked;
  uint32_t launchTick;
  uint32_t lastInput;
  ScreenPoint launchCursor;
  ScreenPoint nowCursor;
  std::initializer_list<int> heldAtLaunch;
  std::initializer_list<int> heldNow;
  SetUpInput expected;
};

// The launch at tick 1000 with the cursor at (500, 400) unless a row says else.
const Row kRows[] = {
    {"the preview never asks", true, Known, 1000, 1800, {500, 400}, {500, 400}, {}, {}, SetUpInput::NotAsked},
    {"no GetLastInputInfo", false, Unknown, 1000, 0, {500, 400}, {900, 400}, {}, {kVkA}, SetUpInput::NotAsked},
    {"last input before launch", false, Known, 1000, 400, {500, 400}, {500, 400}, {}, {}, SetUpInput::None},
    {"last input at the launch tick", false, Known, 1000, 1000, {500, 400}, {500, 400}, {}, {}, SetUpInput::None},
    {"a key pressed and released", false, Known, 1000, 1800, {500, 400}, {500, 400}, {}, {}, SetUpInput::Close},
    {"a key still held", false, Known, 1000, 1800, {500, 400}, {500, 400}, {}, {kVkA}, SetUpInput::Close},
    {"the last code read still held", false, Known, 1000, 1800, {500, 400}, {500, 400}, {}, {kVkOem}, SetUpInput::Close},
    {"a button still held", false, Known, 1000, 1800, {500, 400}, {500, 400}, {}, {kVkLButton}, SetUpInput::Close},
    {"travel of 5", false, Known, 1000, 1800, {500, 400}, {503, 398}, {}, {}, SetUpInput::Close},
    {"travel of 4 is tolerated", false, Known, 1000, 1800, {500, 400}, {502, 402}, {}, {}, SetUpInput::Ambiguous},
    {"travel of 1 is tolerated", false, Known, 1000, 1800, {500, 400}, {500, 399}, {}, {}, SetUpInput::Ambiguous},
    {"travel across the screen's edge", false, Known, 1000, 1800, {-3, 0}, {3, 0}, {}, {}, SetUpInput::Close},
    {"the Enter that launched it came up", false, Known, 1000, 1090, {500, 400}, {500, 400}, {kVkReturn}, {}, SetUpInput::Ambiguous},
    {"the Enter still held, repeating", false, Known, 1000, 1500, {500, 400}, {500, 400}, {kVkReturn}, {kVkReturn}, SetUpInput::Close},
    {"the Enter came up and another key is down", false, Known, 1000, 1500, {500, 400}, {500, 400}, {kVkReturn}, {kVkA}, SetUpInput::Close},
    {"the double click's button came up, then travel", false, Known, 1000, 1500, {500, 400}, {520, 400}, {kVkLButton}, {}, SetUpInput::Close},
    {"ticks wrap after launch", false, Known, 0xFFFFFF00u, 0x40, {500, 400}, {500, 400}, {}, {}, SetUpInput::Close},
    {"ticks wrap, input before launch", false, Known, 0x40, 0xFFFFFF00u, {500, 400}, {500, 400}, {}, {}, SetUpInput::None},
};

InputSnapshot Snapshot(uint32_t tick, ScreenPoint cursor, std::initializer_list<int> held) {
  InputSnapshot snapshot;
  snapshot.tick = tick;
  snapshot.cursorKnown = true;
  snapshot.cursor = cursor;
  for (int key : held) snapshot.held.Set(key);
  return snapshot;
}

const char* Name(SetUpInput judged) {
  switch (judged) {
    case SetUpInput::NotAsked: return "not asked";
    case SetUpInput::None: return "none";
    case SetUpInput::Ambiguous: return "ambiguous";
    case SetUpInput::Close: return "close";
  }
  return "?";
}

TEST(SetUpInput, EveryRow) {
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.name);
    const InputSnapshot launch = Snapshot(row.launchTick, row.launchCursor, row.heldAtLaunch);
    const InputSnapshot now = Snapshot(row.launchTick + 2000, row.nowCursor, row.heldNow);
    const uint32_t lastInput = row.lastInput;
    const SetUpInput judged =
        JudgeSetUpInput(row.preview, launch, now, row.asked == Known ? &lastInput : nullptr);
    EXPECT_STREQ(Name(judged), Name(row.expected));
  }
}

// A cursor that could not be read at either end has not travelled: only the
// keys and the time decide.
TEST(SetUpInput, UnreadableCursorIsNoTravel) {
  const uint32_t lastInput = 1500;
  for (bool launchKnown : {false, true}) {
    InputSnapshot launch = Snapshot(1000, {0, 0}, {});
    InputSnapshot now = Snapshot(3000, {900, 900}, {});
    launch.cursorKnown = launchKnown;
    now.cursorKnown = !launchKnown;
    EXPECT_EQ(JudgeSetUpInput(false, launch, now, &lastInput), SetUpInput::Close);
    launch.held.Set(kVkReturn);
    EXPECT_EQ(JudgeSetUpInput(false, launch, now, &lastInput), SetUpInput::Ambiguous);
  }
}

}  // namespace

}  // namespace tessalander
