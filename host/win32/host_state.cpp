#include "host/win32/host_state.h"

HINSTANCE InstanceHandle = nullptr;
HostFlags Host;
HWND SaverWindow = nullptr;
InputMethodState InputMethod = {nullptr, nullptr, nullptr};
