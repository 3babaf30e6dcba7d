// Starts a program with an exact command line and exits with its exit code.
// Wine quotes the arguments it is given, so a test that needs a tab, a stray
// quote or a name glued to a switch spells the line out here instead:
//
//   launch.exe PROGRAM ESCAPED-LINE
//
// ESCAPED-LINE is the whole command line (program name included) with \t, \n,
// \", \\ and \xHH escapes.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string Unescape(const char* text) {
  std::string out;
  for (const char* p = text; *p != '\0'; ++p) {
    if (*p != '\\' || p[1] == '\0') {
      out += *p;
      continue;
    }
    ++p;
    switch (*p) {
      case 't': out += '\t'; break;
      case 'n': out += '\n'; break;
      case 'x':
        if (HexDigit(p[1]) >= 0 && HexDigit(p[2]) >= 0) {
          out += static_cast<char>(HexDigit(p[1]) * 16 + HexDigit(p[2]));
          p += 2;
        }
        break;
      default: out += *p; break;
    }
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: launch PROGRAM ESCAPED-LINE\n");
    return 2;
  }
  std::string line = Unescape(argv[2]);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(argv[1], line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "CreateProcess failed: %lu\n", GetLastError());
    return 2;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::printf("%ld\n", static_cast<long>(code));
  return static_cast<int>(code);
}
