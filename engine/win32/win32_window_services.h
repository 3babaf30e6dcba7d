// The window services on USER32 and GDI32, for the one SaverWindow.
#pragma once

#include <windows.h>

#include "engine/window_services.h"

namespace tessalander {

inline HWND AsHwnd(Window window) { return reinterpret_cast<HWND>(window); }
inline Window AsWindow(HWND window) { return reinterpret_cast<Window>(window); }

class Win32WindowServices final : public WindowServices {
 public:
  PuzzleAreaList PuzzleAreas(Window window) override;
  ScreenRect DesktopRect() override;
  ScreenRect WindowRect(Window window) override;
  Canvas OpenDisplay() override;
  DisplayView ViewOfDisplay(Canvas display) override;
  void CloseDisplay(Canvas display) override;
  Canvas WindowContext(Window window) override;
  void ReleaseWindowContext(Window window, Canvas context) override;
  void SetTimer(Window window, uint32_t id, uint32_t periodMs) override;
  void KillTimer(Window window, uint32_t id) override;
  void Invalidate(Window window) override;
  Canvas BeginPaint(Window window) override;
  void EndPaint(Window window, Canvas context) override;
  void PostQuit() override;
  int64_t CalendarSeconds() override;

 private:
  // Paints do not nest: one message at a time on the one thread.
  PAINTSTRUCT paint_ = {};
};

}  // namespace tessalander
