// Looks at windows and the session from outside, the way a test needs to see
// them. Window handles are written and read as unsigned decimal numbers.
//
//   window_probe find CLASS TITLE [SECONDS]  a window's facts (hwnd=0 when missing)
//   window_probe child PARENT CLASS          the first child of PARENT of CLASS
//   window_probe send HWND MSG WPARAM LPARAM SendMessageA's result
//   window_probe post HWND MSG WPARAM LPARAM PostMessageA's result
//   window_probe settext HWND TEXT           WM_SETTEXT's result, then the title
//   window_probe register NAME               RegisterWindowMessageA's number
//   window_probe desktop                     GetDesktopWindow
//   window_probe cursor                      whether the cursor shows
//   window_probe activate SECONDS            a window of its own in the foreground
//   window_probe saver-running               SPI_GETSCREENSAVERRUNNING
//   window_probe metrics                     the primary screen's size
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

unsigned HandleValue(HWND window) {
  return static_cast<unsigned>(reinterpret_cast<UINT_PTR>(window));
}

HWND WindowOf(const char* text) {
  const unsigned value = static_cast<unsigned>(std::strtoul(text, nullptr, 10));
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(static_cast<int>(value)));
}

UINT_PTR Number(const char* text) { return static_cast<UINT_PTR>(std::strtoull(text, nullptr, 0)); }

void PrintWindow(HWND window) {
  std::printf("hwnd=%u\n", HandleValue(window));
  if (window == nullptr) return;
  RECT rect = {};
  GetWindowRect(window, &rect);
  RECT client = {};
  GetClientRect(window, &client);
  char title[256] = "";
  GetWindowTextA(window, title, sizeof title);
  char className[256] = "";
  GetClassNameA(window, className, sizeof className);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  std::printf("class=%s\n", className);
  std::printf("title=%s\n", title);
  std::printf("rect=%ld,%ld,%ld,%ld\n", rect.left, rect.top, rect.right, rect.bottom);
  std::printf("client=%ld,%ld\n", client.right, client.bottom);
  std::printf("style=0x%08lx\n", static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)));
  std::printf("exstyle=0x%08lx\n", static_cast<unsigned long>(GetWindowLongA(window, GWL_EXSTYLE)));
  std::printf("classstyle=0x%08lx\n", static_cast<unsigned long>(GetClassLongA(window, GCL_STYLE)));
  std::printf("parent=%u\n", HandleValue(GetAncestor(window, GA_PARENT)));
  std::printf("visible=%d\n", IsWindowVisible(window) ? 1 : 0);
  std::printf("foreground=%d\n", GetForegroundWindow() == window ? 1 : 0);
  // Which window the user would hit at the corners and the middle of the screen.
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  const POINT points[] = {{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}, {w / 2, h / 2}};
  int hits = 0;
  for (const POINT& p : points) {
    if (GetAncestor(WindowFromPoint(p), GA_ROOT) == window) ++hits;
  }
  std::printf("screen_hits=%d/5\n", hits);
}

int Find(int argc, char** argv) {
  if (argc < 4) return 2;
  const int seconds = argc > 4 ? std::atoi(argv[4]) : 0;
  const char* title = std::strcmp(argv[3], "*") == 0 ? nullptr : argv[3];
  HWND window = nullptr;
  for (int i = 0; i <= seconds * 20; ++i) {
    window = FindWindowA(argv[2], title);
    if (window != nullptr || i == seconds * 20) break;
    Sleep(50);
  }
  PrintWindow(window);
  return window != nullptr ? 0 : 1;
}

LRESULT CALLBACK ProbeWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

// A window of our own brought to the foreground, as when the user switches
// to another program.
int Activate(int argc, char** argv) {
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 1;
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = &ProbeWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = "TessalanderProbe";
  RegisterClassA(&windowClass);
  const HWND window = CreateWindowExA(WS_EX_TOPMOST, "TessalanderProbe", "Probe",
                                      WS_POPUP | WS_VISIBLE, 100, 100, 200, 100, nullptr, nullptr,
                                      windowClass.hInstance, nullptr);
  SetForegroundWindow(window);
  const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
  while (GetTickCount() < end) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  }
  std::printf("foreground=%d\n", GetForegroundWindow() == window ? 1 : 0);
  DestroyWindow(window);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  const char* command = argv[1];
  int status = 0;
  if (std::strcmp(command, "find") == 0) {
    status = Find(argc, argv);
  } else if (std::strcmp(command, "child") == 0 && argc == 4) {
    const HWND child = FindWindowExA(WindowOf(argv[2]), nullptr, argv[3], nullptr);
    PrintWindow(child);
    status = child != nullptr ? 0 : 1;
  } else if ((std::strcmp(command, "send") == 0 || std::strcmp(command, "post") == 0) && argc == 6) {
    const HWND window = WindowOf(argv[2]);
    const UINT message = static_cast<UINT>(Number(argv[3]));
    const WPARAM wParam = Number(argv[4]);
    const LPARAM lParam = static_cast<LPARAM>(Number(argv[5]));
    if (command[0] == 's') {
      std::printf("result=%lld\n", static_cast<long long>(SendMessageA(window, message, wParam, lParam)));
    } else {
      std::printf("result=%d\n", PostMessageA(window, message, wParam, lParam) ? 1 : 0);
    }
  } else if (std::strcmp(command, "settext") == 0 && argc == 4) {
    const HWND window = WindowOf(argv[2]);
    const LRESULT result = SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(argv[3]));
    char title[256] = "";
    GetWindowTextA(window, title, sizeof title);
    std::printf("result=%lld\ntitle=%s\n", static_cast<long long>(result), title);
  } else if (std::strcmp(command, "register") == 0 && argc == 3) {
    std::printf("message=%u\n", RegisterWindowMessageA(argv[2]));
  } else if (std::strcmp(command, "desktop") == 0) {
    std::printf("hwnd=%u\n", HandleValue(GetDesktopWindow()));
  } else if (std::strcmp(command, "cursor") == 0) {
    CURSORINFO info = {};
    info.cbSize = sizeof info;
    const BOOL ok = GetCursorInfo(&info);
    std::printf("ok=%d\nshowing=%d\nhandle=%u\nat=%ld,%ld\n", ok ? 1 : 0,
                (info.flags & CURSOR_SHOWING) != 0 ? 1 : 0,
                static_cast<unsigned>(reinterpret_cast<UINT_PTR>(info.hCursor)), info.ptScreenPos.x,
                info.ptScreenPos.y);
  } else if (std::strcmp(command, "activate") == 0) {
    status = Activate(argc, argv);
  } else if (std::strcmp(command, "saver-running") == 0) {
    BOOL running = FALSE;
    const BOOL ok = SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    std::printf("ok=%d\nrunning=%d\n", ok ? 1 : 0, running ? 1 : 0);
  } else if (std::strcmp(command, "metrics") == 0) {
    std::printf("screen=%d,%d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  } else {
    std::fprintf(stderr, "unknown command\n");
    return 2;
  }
  std::fflush(stdout);
  return status;
}
