#include "host/setup_input.h"

#include "host/close_policy.h"

namespace tessalander {

namespace {

// True when a key is down in `a` and not in `b`.
bool AnyDownOnlyIn(const KeysDown& a, const KeysDown& b) {
  for (int i = 0; i < 8; ++i) {
    if ((a.bits[i] & ~b.bits[i]) != 0) return true;
  }
  return false;
}

}  // namespace

SetUpInput JudgeSetUpInput(bool preview, const InputSnapshot& launch, const InputSnapshot& now,
                           const uint32_t* lastInput) {
  if (preview || lastInput == nullptr) return SetUpInput::NotAsked;
  if (static_cast<int32_t>(*lastInput - launch.tick) <= 0) return SetUpInput::None;
  const uint32_t travel =
      launch.cursorKnown && now.cursorKnown ? MouseTravel(launch.cursor, now.cursor) : 0;
  if (travel > CloseMoveThreshold || AnyDownOnlyIn(now.held, launch.held)) return SetUpInput::Close;
  // A saver started by a key or a double click sees that key or button come
  // up after launch; the system reports the release as input too. One still
  // held repeats, and its repeats would close the shown saver as well.
  if (AnyDownOnlyIn(launch.held, now.held)) return SetUpInput::Ambiguous;
  // The cursor moved, but no further than the close policy tolerates.
  if (travel > 0) return SetUpInput::Ambiguous;
  // The cursor is where it was: a key or a button was pressed and released.
  return SetUpInput::Close;
}

}  // namespace tessalander
