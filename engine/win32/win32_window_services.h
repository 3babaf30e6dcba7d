// The window services on USER32 and GDI32, for the one SaverWindow.
#pragma once

#include <windows.h>

#include "common/win32/handles.h"
#include "engine/window_services.h"

namespace tessalander {

class Win32WindowServices final : public WindowServices {
 public:
  PuzzleAreaList PuzzleAreas(Window window) override;
  ScreenRect DesktopRect() override;
  ScreenRect WindowRect(Window window) override;
  bool IsChildWindow(Window window) override;
  Canvas OpenDisplay() override;
  DisplayView ViewOfDisplay(Canvas display) override;
  void CloseDisplay(Canvas display) override;
  Canvas WindowContext(Window window) override;
  void ReleaseWindowContext(Window window, Canvas context) override;
  int64_t CalendarSeconds() override;
};

}  // namespace tessalander
