// The least Win32 program that draws what one solving tick of the saver
// draws: a full-screen window of class CS_OWNDC that every 50 ms copies one
// block, an eighth of the screen's width on a side, from a memory bitmap,
// moved on by a 64th of the width, and fills the strip of its last place
// that the move uncovered. Its context is had once; nothing else is drawn or
// asked for per tick. Run beside the saver (scripts/measure-cpu.sh), it is
// what Wine costs for the saver's solve.
//
// Like the saver's blocks, the block travels the whole screen, along both
// axes, and is cut from the picture at the cell it starts from: a block that
// stayed in one corner would keep its pixels in the processor's caches and
// the X server's, which the saver's never are.
//
//   block_window [SECONDS]   ends after SECONDS (default 120), on a key or a click
#include <windows.h>

#include <cstdlib>

#include "testing/win32/test_window.h"

namespace {

using namespace tessalander_testing;

constexpr UINT_PTR kTickTimer = kEndTimer + 1;

// One move of the block, by a cell.
struct Leg {
  int dx, dy;
};

// A round through every cell of an even number of rows and back: along the
// top row, then snaking through the other rows but the first column, and up
// that column. On fewer than two rows or columns, back and forth.
constexpr int kMostLegs = 64 * 64;
struct Round {
  Leg legs[kMostLegs];
  int count = 0;
  void Add(int dx, int dy, int times) {
    for (int i = 0; i < times && count < kMostLegs; ++i) legs[count++] = {dx, dy};
  }
};

void MakeRound(Round& round, int columns, int rows) {
  rows -= rows % 2;
  if (columns < 2 || rows < 2) {
    round.Add(columns < 2 ? 0 : 1, columns < 2 ? 1 : 0, 1);
    round.Add(columns < 2 ? 0 : -1, columns < 2 ? -1 : 0, 1);
    return;
  }
  round.Add(1, 0, columns - 1);
  for (int row = 1; row < rows; ++row) {
    round.Add(0, 1, 1);
    round.Add(row % 2 == 1 ? -1 : 1, 0, columns - 2);
  }
  round.Add(-1, 0, 1);
  round.Add(0, -1, rows - 1);
}

struct Sliding {
  HDC window = nullptr;  // the window's own context, for its whole life
  HDC memory = nullptr;  // the picture the block is cut from
  int width = 0, height = 0;
  int block = 0, step = 0;
  Round round;
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
  const Leg leg = s.round.legs[s.leg];
  const int before = s.moved;
  s.moved += s.step;
  const int x = s.cellX + leg.dx * s.moved;
  const int y = s.cellY + leg.dy * s.moved;
  BitBlt(s.window, x, y, s.block, s.block, s.memory, s.cellX, s.cellY, SRCCOPY);
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
    s.leg = (s.leg + 1) % s.round.count;
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
      // The picture with the block where it is now.
      const Sliding& s = Slide;
      const Leg leg = s.round.legs[s.leg];
      BitBlt(s.window, 0, 0, s.width, s.height, s.memory, 0, 0, SRCCOPY);
      BitBlt(s.window, s.cellX + leg.dx * s.moved, s.cellY + leg.dy * s.moved, s.block, s.block,
             s.memory, s.cellX, s.cellY, SRCCOPY);
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
  if (s.block < s.step) s.block = s.step;
  MakeRound(s.round, s.width / s.block, s.height / s.block);

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
