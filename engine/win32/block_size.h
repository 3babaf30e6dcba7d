// The block edge, one eighth of the primary screen's width. It is read when a
// window's scene is set up, inside the window procedure, so that it is
// measured under the window's DPI awareness like every other size the scene
// reads (a preview's may be its parent's, not the process's).
#pragma once

#include <cstdint>

namespace tessalander {

int32_t BlockSize();

}  // namespace tessalander
