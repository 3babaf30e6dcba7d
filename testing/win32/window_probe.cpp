// Looks at windows and the session from outside, the way a test needs to see
// them. Window handles are written and read as unsigned decimal numbers.
//
//   window_probe find CLASS TITLE [SECONDS]  a window's facts (hwnd=0 when missing)
//   window_probe child PARENT CLASS          the first child of PARENT of CLASS
//   window_probe send HWND MSG WPARAM LPARAM SendMessageA's result
//   window_probe post HWND MSG WPARAM LPARAM PostMessageA's result
//   window_probe settext HWND TEXT           WM_SETTEXT's result, then the title
//   window_probe invalidate HWND             the whole window erased and to be
//                                            painted again, as when uncovered
//   window_probe register NAME               RegisterWindowMessageA's number
//   window_probe desktop                     GetDesktopWindow
//   window_probe cursor                      whether the cursor shows
//   window_probe activate SECONDS            a window of its own in the foreground
//   window_probe saver-running               SPI_GETSCREENSAVERRUNNING
//   window_probe metrics                     the primary screen's size
//   window_probe monitors                    the monitors and the virtual screen
//   window_probe display [X,Y...]            the display context a desktop capture
//                                            reads: its size, clip box and the
//                                            desktop window's rectangle, and the
//                                            colour it copies from each point
//   window_probe paint SECONDS L,T,R,B RRGGBB [L,T,R,B RRGGBB...]
//                                            fills screen rectangles with colours
//
// Rectangles are printed and read as left,top,right,bottom in virtual-screen
// coordinates (the primary monitor's top-left corner is 0,0).
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

void PrintRect(const char* key, const RECT& rect) {
  std::printf("%s=%ld,%ld,%ld,%ld\n", key, rect.left, rect.top, rect.right, rect.bottom);
}

BOOL CALLBACK PrintMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  int& index = *reinterpret_cast<int*>(data);
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoA(monitor, &info)) return TRUE;
  char key[32];
  std::snprintf(key, sizeof key, "monitor%d", index);
  PrintRect(key, info.rcMonitor);
  std::printf("monitor%d_primary=%d\n", index, (info.dwFlags & MONITORINFOF_PRIMARY) != 0 ? 1 : 0);
  ++index;
  return TRUE;
}

// What a full-screen program learns about the monitors: their number, the
// virtual screen, the screen DC's clip box, and each monitor in enumeration
// order.
int Monitors() {
  std::printf("monitors=%d\n", GetSystemMetrics(SM_CMONITORS));
  const RECT virtualScreen = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                              GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                              GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  PrintRect("virtual", virtualScreen);
  std::printf("screen=%d,%d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  const HDC screen = GetDC(nullptr);
  RECT clip = {};
  const int clipType = GetClipBox(screen, &clip);
  ReleaseDC(nullptr, screen);
  PrintRect("clip", clip);
  std::printf("clip_type=%d\n", clipType);
  int count = 0;
  EnumDisplayMonitors(nullptr, nullptr, &PrintMonitor, reinterpret_cast<LPARAM>(&count));
  std::printf("enumerated=%d\n", count);
  return count > 0 ? 0 : 1;
}

// What CreateDCA("DISPLAY") shows: its sizes, its clip box, the desktop
// window's rectangle, and at each point given (in the display context's own
// coordinates) the colour a BitBlt from it copies, as RRGGBB.
int Display(int argc, char** argv) {
  const HDC display = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  if (display == nullptr) return 1;
  std::printf("horzres=%d\nvertres=%d\n", GetDeviceCaps(display, HORZRES), GetDeviceCaps(display, VERTRES));
  std::printf("desktophorzres=%d\ndesktopvertres=%d\n", GetDeviceCaps(display, DESKTOPHORZRES),
              GetDeviceCaps(display, DESKTOPVERTRES));
  RECT clip = {};
  GetClipBox(display, &clip);
  PrintRect("display_clip", clip);
  POINT origin = {};
  GetDCOrgEx(display, &origin);
  std::printf("display_origin=%ld,%ld\n", origin.x, origin.y);
  RECT desktop = {};
  GetWindowRect(GetDesktopWindow(), &desktop);
  PrintRect("desktop_window", desktop);
  const HDC memory = CreateCompatibleDC(display);
  const HBITMAP pixel = CreateCompatibleBitmap(display, 1, 1);
  const HGDIOBJ old = SelectObject(memory, pixel);
  for (int i = 2; i < argc; ++i) {
    long x = 0, y = 0;
    if (std::sscanf(argv[i], "%ld,%ld", &x, &y) != 2) continue;
    const BOOL copied = BitBlt(memory, 0, 0, 1, 1, display, static_cast<int>(x), static_cast<int>(y), SRCCOPY);
    const COLORREF c = GetPixel(memory, 0, 0);
    std::printf("at_%ld_%ld=%02x%02x%02x%s\n", x, y, GetRValue(c), GetGValue(c), GetBValue(c),
                copied ? "" : " (no copy)");
  }
  SelectObject(memory, old);
  DeleteObject(pixel);
  DeleteDC(memory);
  DeleteDC(display);
  return 0;
}

struct Fill {
  RECT rect;
  COLORREF colour;
};

LRESULT CALLBACK FillWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    const auto* fill = reinterpret_cast<const Fill*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    RECT client;
    GetClientRect(window, &client);
    const HBRUSH brush = CreateSolidBrush(fill->colour);
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    EndPaint(window, &paint);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool ParseFill(const char* rectText, const char* colourText, Fill& fill) {
  long l = 0, t = 0, r = 0, b = 0;
  unsigned rgb = 0;
  if (std::sscanf(rectText, "%ld,%ld,%ld,%ld", &l, &t, &r, &b) != 4 || r <= l || b <= t) return false;
  if (std::strlen(colourText) != 6 || std::sscanf(colourText, "%6x", &rgb) != 1) return false;
  fill.rect = {l, t, r, b};
  fill.colour = RGB((rgb >> 16) & 0xff, (rgb >> 8) & 0xff, rgb & 0xff);
  return true;
}

// Topmost windows of solid colours at given screen rectangles, shown for
// SECONDS: known pixels for a screenshot to find, at known places.
int Paint(int argc, char** argv) {
  if (argc < 5 || (argc - 3) % 2 != 0) return 2;
  const int seconds = std::atoi(argv[2]);
  static Fill fills[16];
  const int count = (argc - 3) / 2;
  if (count > 16) return 2;
  for (int i = 0; i < count; ++i) {
    if (!ParseFill(argv[3 + 2 * i], argv[4 + 2 * i], fills[i])) return 2;
  }
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = &FillWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "TessalanderProbeFill";
  RegisterClassA(&windowClass);
  for (int i = 0; i < count; ++i) {
    const RECT& r = fills[i].rect;
    const HWND window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, "TessalanderProbeFill", "Probe fill",
                                        WS_POPUP, r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr,
                                        nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr) return 1;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&fills[i]));
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
  }
  std::printf("windows=%d\n", count);
  std::fflush(stdout);
  const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
  while (GetTickCount() < end) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  }
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
  } else if (std::strcmp(command, "invalidate") == 0 && argc == 3) {
    std::printf("result=%d\n", InvalidateRect(WindowOf(argv[2]), nullptr, TRUE) ? 1 : 0);
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
  } else if (std::strcmp(command, "monitors") == 0) {
    status = Monitors();
  } else if (std::strcmp(command, "display") == 0) {
    status = Display(argc, argv);
  } else if (std::strcmp(command, "paint") == 0) {
    status = Paint(argc, argv);
  } else {
    std::fprintf(stderr, "unknown command\n");
    return 2;
  }
  std::fflush(stdout);
  return status;
}
