#include "host/win32/host_state.h"

HINSTANCE InstanceHandle = nullptr;
int IsWindows9x = 0;
int IsPreview = 0;
HWND SaverWindow = nullptr;
