#include "host/saver_window_layout.h"

namespace tessalander {

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
