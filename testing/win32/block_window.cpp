// The least Win32 program that draws what one solving tick of the saver
// draws: a full-screen window of class CS_OWNDC that every 50 ms copies one
// block, an eighth of the screen's width on a side, from a memory bitmap,
// moved on by a 64th of the width, and fills the strip of its last place
// that the move uncovered. The block circles a square of four cells, so it
// travels along both axes, as the saver's blocks do. Its context is had once;
// nothing else is drawn or asked for per tick. Run beside the saver
// (scripts/measure-cpu.sh), it is what Wine costs for the saver's solve.
//
//   block_window [SECONDS]   ends after SECONDS (default 120), on a key or a click
#include <windows.h>

#include <cstdlib>

#include "testing/win32/test_window.h"

namespace {

using namespace tessalander_testing;

constexpr UINT_PTR kTickTimer = kEndTimer + 1;

// One leg of the block's round, in cells.
struct Leg {
  int dx, dy;
};
constexpr Leg kRound[] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
constexpr int kLegs = sizeof kRound / sizeof kRound[0];

struct Sliding {
  HDC window = nullptr;  // the window's own context, for its whole life
  HDC memory = nullptr;  // the picture the block is cut from
  int width = 0, height = 0;
  int block = 0, step = 0;
  int leg = 0;
  int cellX = 0, cellY = 0;  // where this leg starts, in pixels
  int moved = 0;             // along this leg so far
};
Sliding Slide;

// A picture to cut the block from: bands of colour, so that a screenshot
// shows the block moving.
HDC MakePicture(HDC reference, int width, int height) {
  const HDC memory = CreateCompatibleDC(reference);
  const HBITMAP bitmap = CreateCompatibleBitmap(reference, width, height);
  if (memory == nullptr || bitmap == nullptr) return nullptr;
  SelectObject(memory, bitmap);
  const int bands = 32;
  for (int i = 0; i < bands; ++i) {
    const BYTE level = static_cast<BYTE>(i * 255 / (bands - 1));
    const HBRUSH brush = CreateSolidBrush(RGB(level, 128, 255 - level));
    const RECT band = {0, i * height / bands, width, (i + 1) * height / bands};
    FillRect(memory, &band, brush);
    DeleteObject(brush);
  }
  return memory;
}

// The block one step further, and the strip of its last place that it left.
void Tick() {
  Sliding& s = Slide;
  const Leg leg = kRound[s.leg];
  const int before = s.moved;
  s.moved += s.step;
  const int x = s.cellX + leg.dx * s.moved;
  const int y = s.cellY + leg.dy * s.moved;
  BitBlt(s.window, x, y, s.block, s.block, s.memory, s.block, s.block, SRCCOPY);
  // Behind the block: its near edge for a block moving right or down, its
  // far edge otherwise.
  const int lastX = s.cellX + leg.dx * before;
  const int lastY = s.cellY + leg.dy * before;
  if (leg.dx != 0) {
    PatBlt(s.window, leg.dx > 0 ? lastX : x + s.block, y, s.step, s.block, PATCOPY);
  } else {
    PatBlt(s.window, x, leg.dy > 0 ? lastY : y + s.block, s.block, s.step, PATCOPY);
  }
  if (s.moved >= s.block) {
    s.cellX += leg.dx * s.block;
    s.cellY += leg.dy * s.block;
    s.moved = 0;
    s.leg = (s.leg + 1) % kLegs;
  }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam != kTickTimer) break;
      Tick();
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      // The picture, the square the block circles empty, and the block.
      const Sliding& s = Slide;
      const Leg leg = kRound[s.leg];
      BitBlt(s.window, 0, 0, s.width, s.height, s.memory, 0, 0, SRCCOPY);
      PatBlt(s.window, 0, 0, 2 * s.block, 2 * s.block, PATCOPY);
      BitBlt(s.window, s.cellX + leg.dx * s.moved, s.cellY + leg.dy * s.moved, s.block, s.block,
             s.memory, s.block, s.block, SRCCOPY);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
      DestroyWindow(window);
      return 0;
  }
  return TestWindowProc(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
  const int seconds = std::atoi(commandLine) > 0 ? std::atoi(commandLine) : 120;
  Sliding& s = Slide;
  s.width = GetSystemMetrics(SM_CXSCREEN);
  s.height = GetSystemMetrics(SM_CYSCREEN);
  s.block = s.width / 8;
  s.step = s.width / 64 > 0 ? s.width / 64 : 1;

  const TestWindowClass sliding = {"BlockWindow", "Block window", &WindowProc,
                                   static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), CS_OWNDC};
  // Hidden until the context and the picture are ready for its first paint.
  const HWND window = OpenTestWindow(sliding, WS_EX_TOPMOST, WS_POPUP, 0, 0, s.width, s.height,
                                     static_cast<unsigned>(seconds));
  if (window == nullptr) return 1;
  s.window = GetDC(window);
  s.memory = MakePicture(s.window, s.width, s.height);
  if (s.memory == nullptr) return 1;
  SelectObject(s.window, GetStockObject(BLACK_BRUSH));
  ShowWindow(window, SW_SHOW);
  SetTimer(window, kTickTimer, 50, nullptr);
  return RunTestWindow();
}
