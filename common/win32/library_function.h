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

// A function of USER32, which every window program has loaded, that only some
// versions of Windows have; nullptr on the others.
template <typename Function>
Function UserFunction(const char* name) {
  const HMODULE user = GetModuleHandleA("USER32.DLL");
  return user != nullptr ? LibraryFunction<Function>(user, name) : nullptr;
}

}  // namespace tessalander
