// Puts a known picture on the Windows desktop, so that a desktop capture has
// something to capture: a borderless window at the virtual screen's top-left
// corner ((0, 0) on one monitor) showing a BMP file at its own size, for a
// given number of seconds.
//
//   desktop_picture.exe FILE.bmp SECONDS
#include <windows.h>

#include <cstdlib>

#include "testing/win32/test_window.h"

namespace {

using namespace tessalander_testing;

HBITMAP Picture = nullptr;

LRESULT CALLBACK PictureWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return TestWindowProc(window, message, wParam, lParam);
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window, &paint);
  const HDC source = CreateCompatibleDC(dc);
  const HGDIOBJ old = SelectObject(source, Picture);
  BITMAP info = {};
  GetObjectA(Picture, sizeof info, &info);
  BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
  EndPaint(window, &paint);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  Picture = static_cast<HBITMAP>(LoadImageA(nullptr, argv[1], IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  if (Picture == nullptr) return 3;
  BITMAP info = {};
  GetObjectA(Picture, sizeof info, &info);

  const TestWindowClass desktop = {"TessalanderTestDesktop", "desktop picture",
                                   &PictureWindowProc, nullptr, 0};
  const HWND window = OpenTestWindow(desktop, 0, WS_POPUP | WS_VISIBLE,
                                     GetSystemMetrics(SM_XVIRTUALSCREEN),
                                     GetSystemMetrics(SM_YVIRTUALSCREEN), info.bmWidth,
                                     info.bmHeight, static_cast<unsigned>(std::atoi(argv[2])));
  if (window == nullptr) return 4;
  RunTestWindow();
  DeleteObject(Picture);
  return 0;
}
