#include "engine/win32/block_size.h"

#include <windows.h>

#include "engine/geometry.h"

namespace tessalander {

namespace {

int32_t ComputeBlockSize() { return BlockSizeForScreenWidth(GetSystemMetrics(SM_CXSCREEN)); }

}  // namespace

const int32_t BlockSize = ComputeBlockSize();

}  // namespace tessalander
