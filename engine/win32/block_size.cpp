#include "engine/win32/block_size.h"

#include <windows.h>

#include "engine/geometry.h"

namespace tessalander {

int32_t BlockSize() { return BlockSizeForScreenWidth(GetSystemMetrics(SM_CXSCREEN)); }

}  // namespace tessalander
