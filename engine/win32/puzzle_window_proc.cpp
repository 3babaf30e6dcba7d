#include "engine/win32/puzzle_window_proc.h"

#include "host/win32/saver_default_proc.h"

LRESULT PuzzleWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SaverDefaultProc(window, message, wParam, lParam);
}
