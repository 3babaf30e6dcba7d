// Runs ConfigureHook in a program that has no dialog template 101, so the
// hook's failure path shows its box; exits with the hook's result.
#include <windows.h>

#include "settings/win32/configure_hook.h"

using namespace tessalander;

int main() { return ConfigureHook(GetModuleHandleA(nullptr)); }
