// What the close policy and the password check ask of the platform for the
// one SaverWindow. The Win32 side keeps one, bound to the window, for the
// window's whole life; tests record the calls and script the answers.
#pragma once

#include <cstdint>

#include "host/host_flags.h"
#include "host/window_messages.h"

namespace tessalander {

struct SaverPlatform {
  // PostMessageA(window, WM_CLOSE, 0, 0).
  virtual void PostClose() = 0;
  // SetCursor(NULL).
  virtual void HideCursor() = 0;
  // GetCursorPos; false, leaving *point alone, when the position cannot be read.
  virtual bool CursorPosition(ScreenPoint* point) = 0;
  // DefWindowProcA(window, ...).
  virtual intptr_t DefaultProc(const WindowMessage& message) = 0;
  // VerifyScreenSavePwd(window): nonzero when the password was accepted.
  virtual intptr_t CallVerifier(LibraryProc verifier) = 0;

  // GetTickCount.
  virtual uint32_t TickCount() = 0;
  // Removes at most one waiting WM_TIMER of the window.
  virtual void DropPendingTick() = 0;
  // SendMessageA(window, WM_APP, 0, 0): back through the window procedure.
  virtual intptr_t SendVerifyRequest() = 0;

 protected:
  ~SaverPlatform() = default;
};

}  // namespace tessalander
