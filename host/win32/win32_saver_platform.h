// The host's platform interfaces on USER32 and KERNEL32: the close policy's,
// bound to the SaverWindow, and the password services' libraries by name and
// the system's saver-running state.
#pragma once

#include <windows.h>

#include "host/password_policy.h"
#include "host/saver_platform.h"

namespace tessalander {

class Win32SaverPlatform final : public SaverPlatform {
 public:
  // The window every call acts on.
  void Bind(HWND window) { window_ = window; }

  void PostClose() override;
  void HideCursor() override;
  bool CursorPosition(ScreenPoint* point) override;
  intptr_t DefaultProc(const WindowMessage& message) override;
  intptr_t CallVerifier(LibraryProc verifier) override;
  uint32_t TickCount() override;
  void DropPendingTick() override;
  intptr_t SendVerifyRequest() override;

 private:
  HWND window_ = nullptr;
};

class Win32SystemServices final : public SystemServices {
 public:
  LibraryHandle LoadLibraryByName(const char* name) override;
  LibraryProc FindFunction(LibraryHandle library, const char* name) override;
  void FreeLibraryHandle(LibraryHandle library) override;
  void SetScreenSaverRunning(int state) override;
};

inline WindowMessage MessageOf(UINT message, WPARAM wParam, LPARAM lParam) {
  return WindowMessage{message, static_cast<uintptr_t>(wParam), static_cast<intptr_t>(lParam)};
}

}  // namespace tessalander
