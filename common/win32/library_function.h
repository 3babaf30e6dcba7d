// Functions of libraries that are looked up by name at run time.
#pragma once

#include <windows.h>

namespace tessalander {

// GetProcAddress with the function's real type, or nullptr. The detour through
// void(*)() is the sanctioned way to convert between function pointer types.
template <typename Function>
Function LibraryFunction(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

}  // namespace tessalander
