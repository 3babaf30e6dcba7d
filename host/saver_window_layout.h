// The SaverWindow's class and its two shapes: full screen and topmost over
// the screen's clip box, or a child filling the preview's parent.
#pragma once

#include <cstdint>

#include "common/screen_rect.h"

namespace tessalander {

inline constexpr char kSaverClassName[] = "WindowsScreenSaverClass";
inline constexpr char kSaverTitle[] = "Screen Saver";
inline constexpr char kPreviewTitle[] = "Preview";

// CS_OWNDC | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW: the engine keeps what it
// selects into the window's own drawing context.
inline constexpr uint32_t kSaverClassStyle = 0x2B;

inline constexpr uint32_t kWsExTopmost = 0x00000008;
// WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN.
inline constexpr uint32_t kFullScreenStyle = 0x96000000;
// WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN.
inline constexpr uint32_t kPreviewStyle = 0x52000000;

struct SaverWindowLayout {
  uint32_t exStyle;
  uint32_t style;
  const char* title;
  int32_t x;
  int32_t y;
  int32_t width;
  int32_t height;
};

// What the full-screen window covers: the screen context's clip box, the
// whole virtual screen, which need not start at (0, 0). Without one (no
// context, an error, or NULLREGION: an empty box) the virtual screen's
// metrics, and where a system has none (Windows 95, NT 4), the primary's.
ScreenRect FullScreenArea(bool clipBoxKnown, ScreenRect clipBox, ScreenRect virtualScreen,
                          ScreenRect primary);

// Covers exactly the screen's clip box, wherever it starts.
SaverWindowLayout FullScreenLayout(ScreenRect clipBox);

// Fills the parent's client rectangle from its top-left corner.
SaverWindowLayout PreviewLayout(ScreenRect parentClient);

}  // namespace tessalander
