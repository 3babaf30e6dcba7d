// The process's entry point, in place of the MinGW runtime's start-up code.
// That code is built for the toolchain's default processor (a Pentium Pro):
// it would stop the 32-bit .scr on a 386, 486 or Pentium before anything is
// shown. The program needs little of it: it reads its command line and
// instance itself, ends with ExitProcess, uses no thread-local storage, no
// C runtime arguments or exit handlers, and is linked so that the runtime's
// pseudo-relocations are refused (--disable-runtime-pseudo-reloc). What is
// left is running the static initialisers before WinMain.
#include <windows.h>

#include "host/command_line.h"

// The linker's list of static initialisers: -1 (or their count), the
// initialisers, then a null.
extern "C" void (*__CTOR_LIST__[])();

namespace tessalander {

namespace {

// In GCC's order, from the end of the list back to its start.
void RunStaticInitialisers() {
  auto count = reinterpret_cast<UINT_PTR>(__CTOR_LIST__[0]);
  if (count == static_cast<UINT_PTR>(-1)) {
    for (count = 0; __CTOR_LIST__[count + 1] != nullptr; ++count) {
    }
  }
  for (; count >= 1; --count) __CTOR_LIST__[count]();
}

const char* NextCharacter(const char* p) { return CharNextA(p); }

int ShowCommand() {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  return (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : SW_SHOWDEFAULT;
}

}  // namespace

}  // namespace tessalander

// Named to the linker with --entry. It never returns: what calls an entry
// point, and with which arguments, differs between Windows versions.
extern "C" [[noreturn]] void TessalanderEntry() {
  using namespace tessalander;
  RunStaticInitialisers();
  char* arguments = const_cast<char*>(SkipProgramName(GetCommandLineA(), &NextCharacter));
  ExitProcess(static_cast<UINT>(WinMain(GetModuleHandleA(nullptr), nullptr, arguments, ShowCommand())));
}
