#include "host/win32/saver_window.h"

#include "host/saver_window_layout.h"
#include "host/saver_window_proc.h"
#include "host/win32/host_state.h"
#include "host/win32/password.h"
#include "host/win32/win32_saver_platform.h"

namespace {

// The primary display's drawable area, which need not start at (0, 0).
ScreenRect ScreenClipBox() {
  RECT box = {};
  const HDC screen = GetDC(nullptr);
  GetClipBox(screen, &box);
  ReleaseDC(nullptr, screen);
  return ScreenRect{box.left, box.top, box.right, box.bottom};
}

WNDCLASSA SaverWindowClass() {
  WNDCLASSA windowClass = {};
  windowClass.style = kSaverClassStyle;
  windowClass.lpfnWndProc = &SaverWindowProc;
  windowClass.hInstance = InstanceHandle;
  // The resources hold icon group 115 only, so this is NULL and the class has no icon.
  windowClass.hIcon = LoadIconA(InstanceHandle, MAKEINTRESOURCEA(kSaverClassIconId));
  windowClass.hCursor = nullptr;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kSaverClassName;
  return windowClass;
}

// Ends with the quit message's value; -1 if the loop itself failed.
int RunMessageLoop() {
  MSG message = {};
  BOOL got;
  while ((got = GetMessageA(&message, nullptr, 0, 0)) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return got == 0 ? static_cast<int>(message.wParam) : -1;
}

}  // namespace

int RunSaverWindow(HWND parent) {
  const WNDCLASSA windowClass = SaverWindowClass();

  SaverWindowLayout layout;
  if (parent != nullptr) {
    RECT client = {};
    GetClientRect(parent, &client);
    layout = PreviewLayout(ScreenRect{client.left, client.top, client.right, client.bottom});
    Host.IsPreview = 1;
  } else {
    layout = FullScreenLayout(ScreenClipBox());
    // One full-screen saver at a time, whichever program made it.
    const HWND running = FindWindowA(kSaverClassName, kSaverTitle);
    if (running != nullptr && IsWindow(running)) {
      SetForegroundWindow(running);
      return 0;
    }
    LoadPasswordVerifier();
  }

  Host.AutoPlayMessage = Host.IsWindows9x ? RegisterWindowMessageA("QueryCancelAutoPlay") : 0;

  if (RegisterClassA(&windowClass)) {
    SaverWindow = CreateWindowExA(layout.exStyle, kSaverClassName, layout.title, layout.style,
                                  layout.x, layout.y, layout.width, layout.height, parent, nullptr,
                                  InstanceHandle, nullptr);
  }
  // Nothing is shown when the window cannot be made; the exit code says so.
  int exitCode = -1;
  if (SaverWindow != nullptr) {
    if (!Host.IsPreview) SetForegroundWindow(SaverWindow);
    exitCode = RunMessageLoop();
  }
  UnloadPasswordVerifier();
  return exitCode;
}

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Win32SaverPlatform platform(window);
  return static_cast<LRESULT>(SaverWindowProc(Host, platform, MessageOf(message, wParam, lParam)));
}
