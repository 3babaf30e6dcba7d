#include "engine/win32/win32_window_services.h"

#include "common/win32/library_function.h"
#include "engine/calendar_seconds.h"

namespace tessalander {

namespace {

ScreenRect ScreenRectOf(const RECT& r) {
  return {static_cast<int32_t>(r.left), static_cast<int32_t>(r.top), static_cast<int32_t>(r.right),
          static_cast<int32_t>(r.bottom)};
}

// EnumDisplayMonitors and GetMonitorInfoA came with Windows 98 and 2000; on
// Windows 95 and NT 4 they are missing, and the one monitor is the screen.
using EnumDisplayMonitorsFn = BOOL(WINAPI*)(HDC, LPCRECT, MONITORENUMPROC, LPARAM);
using GetMonitorInfoFn = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);

// In the order the system enumerates them, as many as a scene can play on;
// the primary is kept whatever its place.
struct MonitorList {
  GetMonitorInfoFn info = nullptr;
  DisplayMonitor monitor[kMostMonitors];
  int count = 0;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  MonitorList& list = *reinterpret_cast<MonitorList*>(data);
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (!list.info(monitor, &info)) return TRUE;
  const bool primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
  if (list.count == kMostMonitors && !primary) return TRUE;
  const int slot = list.count < kMostMonitors ? list.count++ : kMostMonitors - 1;
  list.monitor[slot] = {ScreenRectOf(info.rcMonitor), primary};
  return TRUE;
}

// None when the system cannot list them.
MonitorList ListMonitors() {
  MonitorList list;
  const auto enumerate = UserFunction<EnumDisplayMonitorsFn>("EnumDisplayMonitors");
  list.info = UserFunction<GetMonitorInfoFn>("GetMonitorInfoA");
  if (enumerate == nullptr || list.info == nullptr) return list;
  enumerate(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&list));
  return list;
}

PixelSize PrimaryScreenSize() {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace

bool Win32WindowServices::IsChildWindow(Window window) {
  return (GetWindowLongA(AsHwnd(window), GWL_STYLE) & WS_CHILD) != 0;
}

PuzzleAreaList Win32WindowServices::PuzzleAreas(Window window) {
  const HWND hwnd = AsHwnd(window);
  if (IsChildWindow(window)) {
    return ArrangePuzzleAreas(nullptr, 0, {0, 0}, true, PrimaryScreenSize());
  }
  // The full-screen window covers the screen context's clip box; its client
  // area starts at the box's top-left corner, (-800, 0) with a secondary of
  // 800 pixels to the primary's left.
  POINT origin = {0, 0};
  ClientToScreen(hwnd, &origin);
  const MonitorList monitors = ListMonitors();
  return ArrangePuzzleAreas(monitors.monitor, monitors.count,
                            {static_cast<int32_t>(origin.x), static_cast<int32_t>(origin.y)}, false,
                            PrimaryScreenSize());
}

ScreenRect Win32WindowServices::DesktopRect() {
  RECT r = {};
  GetWindowRect(GetDesktopWindow(), &r);
  return ScreenRectOf(r);
}

ScreenRect Win32WindowServices::WindowRect(Window window) {
  RECT r = {};
  GetWindowRect(AsHwnd(window), &r);
  return ScreenRectOf(r);
}

Canvas Win32WindowServices::OpenDisplay() {
  return AsCanvas(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
}

// What Wine 8.0 reports with a 1024 x 768 primary and an 800 x 600 secondary
// to its right or its left: CreateDCA("DISPLAY") has HORZRES x VERTRES
// 1024 x 768 and the clip box (0, 0, 1824, 768) in both layouts; GetDC(NULL)'s
// clip box is (-800, 0, 1024, 768) on the left; the desktop window covers the
// primary alone. display_view.h says how Windows differs.
DisplayView Win32WindowServices::ViewOfDisplay(Canvas display) {
  const HDC dc = AsDc(display);
  DisplayFacts facts;
  facts.horzRes = GetDeviceCaps(dc, HORZRES);
  facts.vertRes = GetDeviceCaps(dc, VERTRES);
  facts.monitors = GetSystemMetrics(SM_CMONITORS);
  const int32_t left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int32_t top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  facts.virtualScreen = {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                         top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  RECT clip = {};
  facts.clipBoxKnown = GetClipBox(dc, &clip) != ERROR;
  facts.clipBox = ScreenRectOf(clip);
  return ViewOfDisplayFacts(facts);
}

void Win32WindowServices::CloseDisplay(Canvas display) { DeleteDC(AsDc(display)); }

Canvas Win32WindowServices::WindowContext(Window window) { return AsCanvas(GetDC(AsHwnd(window))); }

void Win32WindowServices::ReleaseWindowContext(Window window, Canvas context) {
  ReleaseDC(AsHwnd(window), AsDc(context));
}

// From the system's own clock rather than the C runtime's time(), which the
// program does not link.
int64_t Win32WindowServices::CalendarSeconds() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  FILETIME fileTime;
  if (!SystemTimeToFileTime(&now, &fileTime)) return 0;
  const uint64_t units = uint64_t{fileTime.dwHighDateTime} << 32 | fileTime.dwLowDateTime;
  return CalendarSecondsOfFileTime(units);
}

}  // namespace tessalander
