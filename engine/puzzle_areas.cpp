#include "engine/puzzle_areas.h"

#include <algorithm>

namespace tessalander {

namespace {

bool HasPixels(const ScreenRect& r) { return r.right > r.left && r.bottom > r.top; }

PuzzleArea AreaOf(const DisplayMonitor& monitor, ScreenPoint windowOrigin) {
  return {monitor.rect, monitor.rect.left - windowOrigin.x, monitor.rect.top - windowOrigin.y,
          monitor.primary};
}

}  // namespace

std::vector<PuzzleArea> ArrangePuzzleAreas(const std::vector<DisplayMonitor>& monitors,
                                           ScreenPoint windowOrigin, bool childWindow,
                                           PixelSize primaryScreen) {
  const DisplayMonitor primary{{0, 0, primaryScreen.width, primaryScreen.height}, true};
  if (childWindow) return {AreaOf(primary, {0, 0})};

  const auto primaryWithPixels = std::find_if(
      monitors.begin(), monitors.end(),
      [](const DisplayMonitor& m) { return m.primary && HasPixels(m.rect); });
  std::vector<PuzzleArea> areas;
  if (primaryWithPixels != monitors.end()) areas.push_back(AreaOf(*primaryWithPixels, windowOrigin));
  for (auto monitor = monitors.begin(); monitor != monitors.end(); ++monitor) {
    if (monitor == primaryWithPixels || !HasPixels(monitor->rect)) continue;
    areas.push_back(AreaOf(*monitor, windowOrigin));
  }
  if (areas.empty()) areas.push_back(AreaOf(primary, windowOrigin));
  return areas;
}

ScreenRect VirtualScreenOf(const std::vector<DisplayMonitor>& monitors) {
  if (monitors.empty()) return {};
  ScreenRect box = monitors.front().rect;
  for (const DisplayMonitor& monitor : monitors) {
    box.left = std::min(box.left, monitor.rect.left);
    box.top = std::min(box.top, monitor.rect.top);
    box.right = std::max(box.right, monitor.rect.right);
    box.bottom = std::max(box.bottom, monitor.rect.bottom);
  }
  return box;
}

ScreenRect Intersection(ScreenRect a, ScreenRect b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

}  // namespace tessalander
