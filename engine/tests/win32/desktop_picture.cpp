// Puts a known picture on the Windows desktop, so that a desktop capture has
// something to capture: a borderless window at the virtual screen's top-left
// corner ((0, 0) on one monitor) showing a BMP file at its own size, for a
// given number of seconds.
//
//   desktop_picture.exe FILE.bmp SECONDS
#include <windows.h>

#include <cstdlib>

namespace {

HBITMAP Picture = nullptr;

LRESULT CALLBACK PictureWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
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
    case WM_TIMER:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  Picture = static_cast<HBITMAP>(LoadImageA(nullptr, argv[1], IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  if (Picture == nullptr) return 3;
  BITMAP info = {};
  GetObjectA(Picture, sizeof info, &info);

  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = &PictureWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "TessalanderTestDesktop";
  RegisterClassA(&windowClass);
  const HWND window = CreateWindowExA(0, windowClass.lpszClassName, "desktop picture",
                                      WS_POPUP | WS_VISIBLE, GetSystemMetrics(SM_XVIRTUALSCREEN),
                                      GetSystemMetrics(SM_YVIRTUALSCREEN), info.bmWidth, info.bmHeight,
                                      nullptr, nullptr, windowClass.hInstance, nullptr);
  if (window == nullptr) return 4;
  SetTimer(window, 1, static_cast<UINT>(std::atoi(argv[2])) * 1000u, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  DeleteObject(Picture);
  return 0;
}
