// Plays the display settings' side of the preview: a top-level window whose
// handle the test passes to "/p", driven by commands on standard input, one
// per line, each answered on standard output:
//
//   child          the saver's child window: handle, client size, title
//   settext TEXT   WM_SETTEXT to the child: its answer, then the child's title
//   contextmenu    posts WM_CONTEXTMENU to the child; the parent reports what
//                  reaches it as "parent-got ..."
//   input          posts keys, buttons, mouse travel and an activation loss
//                  straight to the child
//   destroy        destroys the parent window
//
//   preview_parent WIDTH HEIGHT [unaware]
//
// prints "parent=HWND" once the window is up; with "unaware" the window is
// DPI-unaware, as the display settings' window of an older Windows is, where
// the system has an awareness per window.
#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/win32/library_function.h"
#include "testing/win32/test_window.h"

namespace {

constexpr UINT kCommand = WM_APP + 1;
HWND Parent = nullptr;

unsigned HandleValue(HWND window) {
  return static_cast<unsigned>(reinterpret_cast<UINT_PTR>(window));
}

void Say(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::vprintf(format, arguments);
  va_end(arguments);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

HWND Child() { return FindWindowExA(Parent, nullptr, "WindowsScreenSaverClass", nullptr); }

void RunCommand(const std::string& line) {
  const HWND child = Child();
  if (line == "child") {
    RECT client = {};
    GetClientRect(child, &client);
    char title[128] = "";
    GetWindowTextA(child, title, sizeof title);
    Say("child=%u client=%ld,%ld title=%s style=0x%08lx", HandleValue(child), client.right,
        client.bottom, title, static_cast<unsigned long>(GetWindowLongA(child, GWL_STYLE)));
  } else if (line.rfind("settext ", 0) == 0) {
    const LRESULT result = SendMessageA(child, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(line.c_str() + 8));
    char title[128] = "";
    GetWindowTextA(child, title, sizeof title);
    Say("settext result=%lld title=%s", static_cast<long long>(result), title);
  } else if (line == "contextmenu") {
    PostMessageA(child, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(child), MAKELPARAM(12, 34));
    Say("contextmenu posted");
  } else if (line == "input") {
    PostMessageA(child, WM_KEYDOWN, 'A', 1);
    PostMessageA(child, WM_SYSKEYDOWN, VK_MENU, 1);
    PostMessageA(child, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageA(child, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    PostMessageA(child, WM_MOUSEMOVE, 0, MAKELPARAM(90, 90));
    PostMessageA(child, WM_ACTIVATEAPP, FALSE, 0);
    PostMessageA(child, WM_POWERBROADCAST, 0, 0);
    Say("input posted");
  } else if (line == "destroy") {
    DestroyWindow(Parent);
    Say("destroyed");
  } else {
    Say("unknown %s", line.c_str());
  }
}

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kCommand: {
      auto* line = reinterpret_cast<std::string*>(lParam);
      RunCommand(*line);
      delete line;
      return 0;
    }
    case WM_CONTEXTMENU:
    case WM_HELP:
      Say("parent-got message=0x%04x wparam=%u lparam=%lld self=%u", message,
          static_cast<unsigned>(wParam), static_cast<long long>(lParam), HandleValue(window));
      return 0;
    default:
      return tessalander_testing::TestWindowProc(window, message, wParam, lParam);
  }
}

DWORD WINAPI ReadCommands(LPVOID) {
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, stdin) != nullptr) {
    buffer[std::strcspn(buffer, "\r\n")] = '\0';
    PostMessageA(Parent, kCommand, 0, reinterpret_cast<LPARAM>(new std::string(buffer)));
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int width = argc > 1 ? std::atoi(argv[1]) : 320;
  const int height = argc > 2 ? std::atoi(argv[2]) : 240;
  if (argc > 3 && std::strcmp(argv[3], "unaware") == 0) {
    using SetContextFn = HANDLE(WINAPI*)(HANDLE);
    const auto setContext = tessalander::LibraryFunction<SetContextFn>(
        GetModuleHandleA("user32.dll"), "SetThreadDpiAwarenessContext");
    // DPI_AWARENESS_CONTEXT_UNAWARE
    if (setContext != nullptr) setContext(reinterpret_cast<HANDLE>(-1));
  }
  // A popup has no frame, so its client area is exactly WIDTH x HEIGHT.
  const tessalander_testing::TestWindowClass parent = {
      "TessalanderPreviewParent", "Preview Parent", &ParentProc,
      static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)), 0};
  Parent = tessalander_testing::OpenTestWindow(parent, 0, WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                               200, 150, width, height, 0);
  Say("parent=%u", HandleValue(Parent));
  CloseHandle(CreateThread(nullptr, 0, &ReadCommands, nullptr, 0, nullptr));
  tessalander_testing::RunTestWindow();
  Say("parent-ended");
  return 0;
}
