#include "host/command_line.h"

namespace tessalander {

namespace {

inline unsigned char Byte(const char* p) { return static_cast<unsigned char>(*p); }

const char* SkipSpaces(const char* p) {
  while (*p == ' ') ++p;
  return p;
}

}  // namespace

const char* SkipProgramName(const char* commandLine, CharNextFn next) {
  const char* p = commandLine;
  if (*p == '"') {
    p = next(p);
    while (*p != '\0' && *p != '"') p = next(p);
    if (*p == '"') p = next(p);
  } else {
    while (Byte(p) > 0x20) p = next(p);
  }
  while (*p != '\0' && Byte(p) <= 0x20) p = next(p);
  return p;
}

uint32_t ParseWindowHandle(const char* text) {
  uint32_t value = 0;
  for (const char* p = text; *p >= '0' && *p <= '9'; ++p) {
    value = value * 10u + static_cast<uint32_t>(*p - '0');
  }
  return value;
}

DispatchChoice ChooseSaverMode(const char* arguments, bool isWindows9x) {
  const char* p = arguments;
  while (*p == ' ' || *p == '-' || *p == '/') ++p;

  DispatchChoice choice;
  switch (*p) {
    case '\0':
      choice.mode = SaverMode::Configure;
      break;
    case 'S':
    case 's':
      choice.mode = SaverMode::Saver;
      break;
    case 'P':
    case 'p':
    case 'L':
    case 'l':
      choice.window = ParseWindowHandle(SkipSpaces(p + 1));
      // A preview needs a parent; 0 names none.
      choice.mode = choice.window != 0 ? SaverMode::Preview : SaverMode::None;
      break;
    case 'C':
    case 'c':
      choice.mode = SaverMode::Configure;
      choice.foregroundFallback = true;
      if (p[1] == ':') choice.window = ParseWindowHandle(p + 2);
      break;
    case 'A':
    case 'a':
      if (isWindows9x) {
        choice.mode = SaverMode::ChangePassword;
        choice.foregroundFallback = true;
        choice.window = ParseWindowHandle(SkipSpaces(p + 1));
      }
      break;
    default:
      break;
  }
  return choice;
}

}  // namespace tessalander
