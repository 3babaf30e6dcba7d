// Shared by the test doubles of the system's password libraries: they are
// loaded into the saver's process, so they report through files the test
// names in the environment.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

// Appends one line to the file named by TESS_DOUBLE_LOG; opened and closed
// each time so every line survives a crash that follows it.
inline void LogLine(const char* format, ...) {
  char path[MAX_PATH] = "";
  if (GetEnvironmentVariableA("TESS_DOUBLE_LOG", path, sizeof path) == 0) return;
  FILE* file = std::fopen(path, "ab");  // "\n" line ends, as the test reads them
  if (file == nullptr) return;
  va_list arguments;
  va_start(arguments, format);
  std::vfprintf(file, format, arguments);
  va_end(arguments);
  std::fputc('\n', file);
  std::fclose(file);
}

inline unsigned HandleValue(HWND window) {
  return static_cast<unsigned>(reinterpret_cast<UINT_PTR>(window));
}
