// The host's share of every SaverWindow message: the input method, the
// cursor, blocked task-switching commands, the preview's help requests, and
// cutting the engine off once closing is approved. Everything else goes to
// the engine, which ends in the close policy.
#pragma once

#include <cstdint>

#include "host/host_flags.h"
#include "host/saver_platform.h"
#include "host/window_messages.h"

intptr_t SaverWindowProc(HostFlags& flags, SaverPlatform& platform, const WindowMessage& message);
