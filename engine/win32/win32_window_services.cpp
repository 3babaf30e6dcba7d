#include "engine/win32/win32_window_services.h"

#include <ctime>

#include "engine/win32/gdi_surface_layer.h"

namespace tessalander {

PixelSize Win32WindowServices::ScreenSize() {
  return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

ScreenRect Win32WindowServices::DesktopRect() {
  RECT r = {};
  GetWindowRect(GetDesktopWindow(), &r);
  return {static_cast<int32_t>(r.left), static_cast<int32_t>(r.top), static_cast<int32_t>(r.right),
          static_cast<int32_t>(r.bottom)};
}

Canvas Win32WindowServices::OpenDisplay() {
  return AsCanvas(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
}

PixelSize Win32WindowServices::DisplaySize(Canvas display) {
  return {GetDeviceCaps(AsDc(display), HORZRES), GetDeviceCaps(AsDc(display), VERTRES)};
}

void Win32WindowServices::CloseDisplay(Canvas display) { DeleteDC(AsDc(display)); }

Canvas Win32WindowServices::WindowContext(Window window) { return AsCanvas(GetDC(AsHwnd(window))); }

void Win32WindowServices::ReleaseWindowContext(Window window, Canvas context) {
  ReleaseDC(AsHwnd(window), AsDc(context));
}

void Win32WindowServices::SetTimer(Window window, uint32_t id, uint32_t periodMs) {
  ::SetTimer(AsHwnd(window), id, periodMs, nullptr);
}

void Win32WindowServices::KillTimer(Window window, uint32_t id) { ::KillTimer(AsHwnd(window), id); }

void Win32WindowServices::Invalidate(Window window) { InvalidateRect(AsHwnd(window), nullptr, FALSE); }

Canvas Win32WindowServices::BeginPaint(Window window) {
  return AsCanvas(::BeginPaint(AsHwnd(window), &paint_));
}

void Win32WindowServices::EndPaint(Window window, Canvas) { ::EndPaint(AsHwnd(window), &paint_); }

void Win32WindowServices::PostQuit() { PostQuitMessage(0); }

int64_t Win32WindowServices::CalendarSeconds() { return static_cast<int64_t>(std::time(nullptr)); }

}  // namespace tessalander
