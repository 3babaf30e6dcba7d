#include "host/close_policy.h"

#include "host/password_policy.h"

namespace tessalander {

namespace {

uint32_t Distance(int32_t a, int32_t b) {
  const uint32_t d = static_cast<uint32_t>(a) - static_cast<uint32_t>(b);
  return static_cast<int32_t>(d) < 0 ? 0u - d : d;
}

// Small movements add up against the same reference until their reach from
// it exceeds the threshold; only a close moves the reference.
void TestMouseTravel(HostFlags& flags, SaverPlatform& platform) {
  ScreenPoint now = flags.MouseReference;  // an unreadable cursor has not moved
  platform.CursorPosition(&now);
  if (MouseTravel(flags.MouseReference, now) > CloseMoveThreshold) {
    platform.PostClose();
    flags.MouseReference = now;
  }
}

// Returns true when the message was answered without DefWindowProcA.
bool ApplyInputRow(HostFlags& flags, SaverPlatform& platform, const WindowMessage& m) {
  switch (m.message) {
    case kWmShowWindow:
      if (m.wParam != 0) platform.HideCursor();
      return false;
    case kWmActivateApp:
      if (m.wParam == 0) platform.PostClose();
      return false;
    case kWmSetCursor:
      platform.HideCursor();
      return true;
    case kWmPower:
      if (m.wParam == kPwrCriticalResume) platform.PostClose();
      return false;
    case kWmPowerBroadcast:
      // Suspend and resume end the saver; news of the battery or of a power
      // setting come with nobody at the machine, and end nothing.
      if (m.wParam != kPbtApmPowerStatusChange && m.wParam != kPbtPowerSettingChange) {
        platform.PostClose();
      }
      return false;
    case kWmKeyDown:
    case kWmSysKeyDown:
    case kWmLButtonDown:
    case kWmRButtonDown:
    case kWmMButtonDown:
      platform.PostClose();
      return false;
    case kWmMouseMove:
      TestMouseTravel(flags, platform);
      return false;
    default:
      return false;
  }
}

intptr_t FinalStep(HostFlags& flags, SaverPlatform& platform, const WindowMessage& m) {
  if (flags.AutoPlayMessage != 0 && m.message == flags.AutoPlayMessage) {
    platform.PostClose();
    // Nonzero tells the system to cancel AutoPlay while a password guards the saver.
    return flags.Verifier != nullptr ? 1 : 0;
  }
  return platform.DefaultProc(m);
}

}  // namespace

uint32_t MouseTravel(ScreenPoint from, ScreenPoint to) {
  return Distance(to.x, from.x) + Distance(to.y, from.y);
}

intptr_t SaverDefaultProc(HostFlags& flags, SaverPlatform& platform, const WindowMessage& m) {
  if (flags.IsPreview || flags.CloseApproved) return FinalStep(flags, platform, m);

  if (m.message == kWmClose) {
    if (!flags.IsWindows9x) return FinalStep(flags, platform, m);
    if (VerifyPasswordOnClose(flags, platform)) return FinalStep(flags, platform, m);
    // Refused: the saver stays, and travel counts afresh from here.
    platform.CursorPosition(&flags.MouseReference);
    return 0;
  }

  if (m.message == kWmApp) {
    if (!flags.IsWindows9x) return FinalStep(flags, platform, m);
    if (flags.Verifier == nullptr) return 1;
    return platform.CallVerifier(flags.Verifier);
  }

  // While the password dialog is up, nothing the user does posts a close.
  if (flags.VerifyInProgress) return FinalStep(flags, platform, m);

  if (ApplyInputRow(flags, platform, m)) return 1;
  return FinalStep(flags, platform, m);
}

}  // namespace tessalander
