#include "host/saver_window_layout.h"

namespace tessalander {

namespace {

bool HasPixels(const ScreenRect& r) { return r.right > r.left && r.bottom > r.top; }

}  // namespace

ScreenRect FullScreenArea(bool clipBoxKnown, ScreenRect clipBox, ScreenRect virtualScreen,
                          ScreenRect primary) {
  if (clipBoxKnown && HasPixels(clipBox)) return clipBox;
  return HasPixels(virtualScreen) ? virtualScreen : primary;
}

SaverWindowLayout FullScreenLayout(ScreenRect clipBox) {
  return SaverWindowLayout{kWsExTopmost,
                           kFullScreenStyle,
                           kSaverTitle,
                           clipBox.left,
                           clipBox.top,
                           clipBox.right - clipBox.left,
                           clipBox.bottom - clipBox.top};
}

SaverWindowLayout PreviewLayout(ScreenRect parentClient) {
  return SaverWindowLayout{0, kPreviewStyle, kPreviewTitle, 0, 0, parentClient.right,
                           parentClient.bottom};
}

}  // namespace tessalander
