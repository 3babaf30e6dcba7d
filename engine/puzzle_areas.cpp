#include "engine/puzzle_areas.h"

#include <algorithm>

namespace tessalander {

namespace {

bool HasPixels(const ScreenRect& r) { return r.right > r.left && r.bottom > r.top; }

void Add(PuzzleAreaList& list, const DisplayMonitor& monitor, ScreenPoint windowOrigin) {
  if (list.count == kMostMonitors) return;
  list.area[list.count++] = {monitor.rect, monitor.rect.left - windowOrigin.x,
                             monitor.rect.top - windowOrigin.y, monitor.primary};
}

}  // namespace

PuzzleAreaList ArrangePuzzleAreas(const DisplayMonitor* monitors, int count, ScreenPoint windowOrigin,
                                  bool childWindow, PixelSize primaryScreen) {
  const DisplayMonitor screen{{0, 0, primaryScreen.width, primaryScreen.height}, true};
  PuzzleAreaList list;
  if (childWindow) {
    Add(list, screen, {0, 0});
    return list;
  }
  int primary = -1;
  for (int i = 0; i < count && primary < 0; ++i) {
    if (monitors[i].primary && HasPixels(monitors[i].rect)) primary = i;
  }
  if (primary >= 0) Add(list, monitors[primary], windowOrigin);
  for (int i = 0; i < count; ++i) {
    if (i != primary && HasPixels(monitors[i].rect)) Add(list, monitors[i], windowOrigin);
  }
  if (list.count == 0) Add(list, screen, windowOrigin);
  return list;
}

ScreenRect Intersection(ScreenRect a, ScreenRect b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

}  // namespace tessalander
