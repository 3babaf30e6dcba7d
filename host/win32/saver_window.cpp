#include "host/win32/saver_window.h"

#include "engine/win32/puzzle_window_proc.h"
#include "host/win32/host_state.h"
#include "host/win32/password.h"

namespace {

constexpr char kClassName[] = "WindowsScreenSaverClass";
constexpr char kSaverTitle[] = "Screen Saver";
constexpr char kPreviewTitle[] = "Preview";

struct WindowPlacement {
  DWORD exStyle;
  DWORD style;
  const char* title;
  RECT rect;  // left, top, right, bottom
};

RECT ScreenClipBox() {
  RECT box = {};
  const HDC screen = GetDC(nullptr);
  GetClipBox(screen, &box);
  ReleaseDC(nullptr, screen);
  return box;
}

}  // namespace

int RunSaverWindow(HWND parent) {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_OWNDC | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = &SaverWindowProc;
  windowClass.hInstance = InstanceHandle;
  // The resources hold icon group 115 only, so this is NULL and the class has no icon.
  windowClass.hIcon = LoadIconA(InstanceHandle, MAKEINTRESOURCEA(100));
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kClassName;

  WindowPlacement placement = {};
  if (parent != nullptr) {
    RECT client = {};
    GetClientRect(parent, &client);
    placement = {0, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, kPreviewTitle,
                 {0, 0, client.right, client.bottom}};
    IsPreview = 1;
  } else {
    placement = {WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                 kSaverTitle, ScreenClipBox()};
    const HWND running = FindWindowA(kClassName, kSaverTitle);
    if (running != nullptr && IsWindow(running)) {
      SetForegroundWindow(running);
      return 0;
    }
    LoadPasswordVerifier();
  }

  MSG message = {};
  if (RegisterClassA(&windowClass)) {
    const RECT& r = placement.rect;
    SaverWindow = CreateWindowExA(placement.exStyle, kClassName, placement.title, placement.style,
                                  r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                                  nullptr, InstanceHandle, nullptr);
  }
  if (SaverWindow != nullptr) {
    if (!IsPreview) SetForegroundWindow(SaverWindow);
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  UnloadPasswordVerifier();
  return static_cast<int>(message.wParam);
}

LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      PostQuitMessage(0);
      break;
    case WM_SETTEXT:
      return 0;
    default:
      break;
  }
  return PuzzleWindowProc(window, message, wParam, lParam);
}
