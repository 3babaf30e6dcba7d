// The configure mode's entry into the configuration dialog (template 101).
#pragma once

#include <windows.h>

namespace tessalander {

// 1 when the dialog ran, 0 when it could not be shown (after telling the user).
int ConfigureHook(HINSTANCE instance);

}  // namespace tessalander
