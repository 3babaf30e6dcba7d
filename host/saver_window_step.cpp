#include "host/saver_window_step.h"

namespace tessalander {

namespace {

// Task switching away from the full-screen saver. The whole wParam is
// compared: a value with the low bits set is some other request.
bool IsBlockedSystemCommand(uintptr_t command) {
  return command == kScNextWindow || command == kScPrevWindow || command == kScScreenSave;
}

SaverWindowStep Answer(intptr_t answer) {
  SaverWindowStep step;
  step.next = NextStop::Answered;
  step.answer = answer;
  return step;
}

SaverWindowStep DefaultOnly() {
  SaverWindowStep step;
  step.next = NextStop::DefaultOnly;
  return step;
}

SaverWindowStep Then(SaverWindowStep step, HostAction action) {
  step.actions[step.count++] = action;
  return step;
}

}  // namespace

SaverWindowStep SaverWindowStepFor(const HostFlags& flags, const WindowMessage& m) {
  const SaverWindowStep animation;
  switch (m.message) {
    case kWmCreate: {
      SaverWindowStep step = Then(animation, HostAction::DetachInputMethod);
      step = Then(step, HostAction::ReadMouseReference);
      return flags.IsPreview ? step : Then(step, HostAction::HideCursor);
    }

    case kWmDestroy:
      return Then(Then(animation, HostAction::RestoreInputMethod), HostAction::PostQuit);

    case kWmSetText:
      return Answer(0);  // the title set at creation never changes

    case kWmPaint:
      if (flags.CloseApproved) return DefaultOnly();
      return flags.IsPreview ? animation : Then(animation, HostAction::HideCursor);

    case kWmHelp:
    case kWmContextMenu:
      if (!flags.IsPreview) return animation;
      return Then(Answer(1), HostAction::PostToParent);

    case kWmKeyDown:
    case kWmSysKeyDown:
    case kWmMouseMove:
    case kWmLButtonDown:
    case kWmRButtonDown:
    case kWmMButtonDown:
      return flags.CloseApproved ? DefaultOnly() : animation;

    case kWmSysCommand:
      if (!flags.IsPreview && IsBlockedSystemCommand(m.wParam)) return Answer(0);
      return animation;

    case kWmTimer:
      return flags.CloseApproved ? Answer(0) : animation;  // cut off: no more ticks

    // Monitors came, went or changed size: the full-screen window covers the
    // new screen, later, from its own queue. The change alone ends nothing.
    case kWmDisplayChange:
      if (flags.IsPreview || flags.CloseApproved) return animation;
      return Then(animation, HostAction::PostRelayout);

    case kWmRelayout:
      if (flags.IsPreview || flags.CloseApproved) return Answer(0);
      return Then(Answer(0), HostAction::Relayout);

    default:
      return animation;
  }
}

}  // namespace tessalander
