#include "host/saver_window_proc.h"

namespace {

// Task switching away from the full-screen saver. The whole wParam is
// compared: a value with the low bits set is some other request.
bool IsBlockedSystemCommand(uintptr_t command) {
  return command == kScNextWindow || command == kScPrevWindow || command == kScScreenSave;
}

}  // namespace

intptr_t SaverWindowProc(HostFlags& flags, SaverPlatform& platform, const WindowMessage& m) {
  switch (m.message) {
    case kWmCreate:
      platform.DetachInputMethod();
      platform.CursorPosition(&flags.MouseReference);
      if (!flags.IsPreview) platform.HideCursor();
      return platform.CallEngine(m);

    case kWmDestroy:
      platform.RestoreInputMethod();
      platform.PostQuit();
      return platform.CallEngine(m);

    case kWmSetText:
      return 0;  // the title set at creation never changes

    case kWmPaint:
      if (flags.CloseApproved) return platform.DefaultProc(m);
      if (!flags.IsPreview) platform.HideCursor();
      return platform.CallEngine(m);

    case kWmHelp:
    case kWmContextMenu:
      if (!flags.IsPreview) return platform.CallEngine(m);
      platform.PostToParent(m);
      return 1;

    case kWmKeyDown:
    case kWmSysKeyDown:
    case kWmMouseMove:
    case kWmLButtonDown:
    case kWmRButtonDown:
    case kWmMButtonDown:
      if (flags.CloseApproved) return platform.DefaultProc(m);
      return platform.CallEngine(m);

    case kWmSysCommand:
      if (!flags.IsPreview && IsBlockedSystemCommand(m.wParam)) return 0;
      return platform.CallEngine(m);

    case kWmTimer:
      if (flags.CloseApproved) return 0;  // the engine gets no more ticks
      platform.YieldTimeSlice();
      return platform.CallEngine(m);

    default:
      return platform.CallEngine(m);
  }
}
