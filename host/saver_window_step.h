// The host's share of every SaverWindow message, decided apart from the
// window system: what the host does itself (the input method, the cursor, the
// quit message, the preview's help requests), in order, and where the message
// goes next. Blocked task-switching commands and the engine's cut-off once
// closing is approved are decided here too. CarryOutSaverWindowStep carries a
// step out in that order, for the Win32 window procedure and the tests alike.
#pragma once

#include <cstdint>

#include "host/close_policy.h"
#include "host/host_flags.h"
#include "host/saver_platform.h"
#include "host/window_messages.h"

namespace tessalander {

enum class HostAction : uint8_t {
  DetachInputMethod,   // ImmAssociateContext(window, NULL), keeping the old context
  ReadMouseReference,  // GetCursorPos into MouseReference
  HideCursor,          // SetCursor(NULL)
  RestoreInputMethod,  // gives the kept input context back
  PostQuit,            // PostQuitMessage(0)
  PostToParent,        // the message to the preview's parent, wParam its own handle
  PostRelayout,        // kWmRelayout to the window itself, unless one is on its way
  Relayout,            // the animation laid out again, the window moved over the new screen
};

enum class NextStop : uint8_t {
  Animation,    // the animation's share, then the close policy
  DefaultOnly,  // DefWindowProcA alone: the animation and the policy are cut off
  Answered,     // nothing more: the step's answer is the result
};

struct SaverWindowStep {
  HostAction actions[3] = {};
  int count = 0;
  NextStop next = NextStop::Animation;
  intptr_t answer = 0;
};

SaverWindowStep SaverWindowStepFor(const HostFlags& flags, const WindowMessage& message);

// The host's share, then the animation's, then the close policy: every
// message that the host lets through reaches the policy, unless the
// animation answered it (a paint it has done: DefWindowProcA would only begin
// and end an empty second one). Hands does what needs the window system:
//   void Do(HostAction action, const WindowMessage& message);
//   bool Animate(const WindowMessage& message, intptr_t* answer);  // true: answered
template <typename Hands>
intptr_t CarryOutSaverWindowStep(HostFlags& flags, SaverPlatform& platform,
                                 const WindowMessage& message, Hands& hands) {
  const SaverWindowStep step = SaverWindowStepFor(flags, message);
  for (int i = 0; i < step.count; ++i) hands.Do(step.actions[i], message);
  switch (step.next) {
    case NextStop::Answered: return step.answer;
    case NextStop::DefaultOnly: return platform.DefaultProc(message);
    case NextStop::Animation: break;
  }
  intptr_t answer = 0;
  if (hands.Animate(message, &answer)) return answer;
  return SaverDefaultProc(flags, platform, message);
}

}  // namespace tessalander
