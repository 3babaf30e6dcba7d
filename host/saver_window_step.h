// The host's share of every SaverWindow message, decided apart from the
// window system: what the host does itself (the input method, the cursor, the
// quit message, the preview's help requests), in order, and where the message
// goes next. Blocked task-switching commands and the engine's cut-off once
// closing is approved are decided here too. The Win32 window procedure
// carries the step out.
#pragma once

#include <cstdint>

#include "host/host_flags.h"
#include "host/window_messages.h"

namespace tessalander {

enum class HostAction : uint8_t {
  DetachInputMethod,   // ImmAssociateContext(window, NULL), keeping the old context
  ReadMouseReference,  // GetCursorPos into MouseReference
  HideCursor,          // SetCursor(NULL)
  RestoreInputMethod,  // gives the kept input context back
  PostQuit,            // PostQuitMessage(0)
  PostToParent,        // the message to the preview's parent, wParam its own handle
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

}  // namespace tessalander
