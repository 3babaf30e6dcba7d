#include "host/win32/host_state.h"

namespace tessalander {

HINSTANCE InstanceHandle = nullptr;
HostFlags Host;

}  // namespace tessalander
