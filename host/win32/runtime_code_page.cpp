// The C runtime's code page, asked for by MinGW-w64's printf (through its
// wcrtomb and mbrtowc). For msvcrt.dll files too old to export this function,
// the 32-bit runtime library brings its own, and that one finds msvcrt.dll
// with GetModuleHandleW, which Windows 95/98/ME only stub. This definition
// does the same with the ANSI call, and the linker takes it instead of the
// library's. Only the 32-bit build has it; 64-bit Windows exports the function.
#include <windows.h>

namespace {

using CodePageQuery = unsigned int(__cdecl*)();

void* RuntimeExport(const char* name) {
  const HMODULE runtime = GetModuleHandleA("msvcrt.dll");
  return runtime != nullptr ? reinterpret_cast<void*>(GetProcAddress(runtime, name)) : nullptr;
}

}  // namespace

extern "C" unsigned int __cdecl ___lc_codepage_func() {
  if (void* query = RuntimeExport("___lc_codepage_func")) {
    return reinterpret_cast<CodePageQuery>(query)();
  }
  if (void* variable = RuntimeExport("__lc_codepage")) {
    return *static_cast<const unsigned int*>(variable);
  }
  return 0;  // the "C" locale's, which the program never leaves
}
