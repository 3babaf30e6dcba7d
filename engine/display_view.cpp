#include "engine/display_view.h"

namespace tessalander {

DisplayView ViewOfDisplayFacts(const DisplayFacts& f) {
  const DisplayView primary{{0, 0, f.horzRes, f.vertRes}, {0, 0}};
  if (f.monitors < 2 || !f.clipBoxKnown) return primary;
  const ScreenRect& v = f.virtualScreen;
  const ScreenRect& clip = f.clipBox;
  if (clip.right - clip.left != v.right - v.left || clip.bottom - clip.top != v.bottom - v.top) {
    return primary;
  }
  return {v, {clip.left - v.left, clip.top - v.top}};
}

}  // namespace tessalander
