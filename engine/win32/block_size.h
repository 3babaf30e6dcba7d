// The block edge, one eighth of the primary screen's width. It is computed by
// a static initialiser, before the entry reads the command line, so it exists
// in every run mode.
#pragma once

#include <cstdint>

namespace tessalander {

extern const int32_t BlockSize;

}  // namespace tessalander
