// What the host's window procedures ask of the platform, for the one
// SaverWindow. The Win32 side binds it to the window's handle; tests record
// the calls and script the answers.
#pragma once

#include <cstdint>

#include "host/host_flags.h"
#include "host/window_messages.h"

struct SaverPlatform {
  // PostMessageA(window, WM_CLOSE, 0, 0).
  virtual void PostClose() = 0;
  // SetCursor(NULL).
  virtual void HideCursor() = 0;
  // GetCursorPos; false, leaving *point alone, when the position cannot be read.
  virtual bool CursorPosition(ScreenPoint* point) = 0;
  // DefWindowProcA(window, ...).
  virtual intptr_t DefaultProc(const WindowMessage& message) = 0;
  // The engine's window procedure, which ends in the close policy itself.
  virtual intptr_t CallEngine(const WindowMessage& message) = 0;
  // VerifyScreenSavePwd(window): nonzero when the password was accepted.
  virtual intptr_t CallVerifier(LibraryProc verifier) = 0;

  // GetTickCount.
  virtual uint32_t TickCount() = 0;
  // Removes at most one waiting WM_TIMER of the window.
  virtual void DropPendingTick() = 0;
  // SendMessageA(window, WM_APP, 0, 0): back through the window procedures.
  virtual intptr_t SendVerifyRequest() = 0;

  // Detaches the input method from the window, remembering its context, when
  // the process has the input-method library loaded; and gives it back.
  virtual void DetachInputMethod() = 0;
  virtual void RestoreInputMethod() = 0;
  // PostQuitMessage(0).
  virtual void PostQuit() = 0;
  // Posts the message to the window's parent, with wParam the parent's own
  // handle, when the parent exists.
  virtual void PostToParent(const WindowMessage& message) = 0;
  // Sleep(0): gives up the rest of the time slice.
  virtual void YieldTimeSlice() = 0;

 protected:
  ~SaverPlatform() = default;
};
