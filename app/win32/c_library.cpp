// The C library's string and memory functions that the .scr calls, made here
// so that it imports no C runtime DLL (Windows 95 as first released has no
// msvcrt.dll). The portable code calls them by their standard names, and the
// compiler may call the four mem* functions itself for copies and clears.
// Plain loops with the standard's semantics: strncpy pads with zeros, memcmp
// compares bytes as unsigned char. The file is compiled with
// -fno-tree-loop-distribute-patterns, so that no loop here becomes a call to
// the very function it implements.
#include <cstddef>

#include "app/win32/runtime_name.h"

extern "C" {

void* TESSALANDER_RUNTIME_NAME(memcpy)(void* destination, const void* source, size_t count) {
  auto* to = static_cast<unsigned char*>(destination);
  const auto* from = static_cast<const unsigned char*>(source);
  for (size_t i = 0; i < count; ++i) to[i] = from[i];
  return destination;
}

// Overlap allowed: copies from the end when the destination lies above the source.
void* TESSALANDER_RUNTIME_NAME(memmove)(void* destination, const void* source, size_t count) {
  auto* to = static_cast<unsigned char*>(destination);
  const auto* from = static_cast<const unsigned char*>(source);
  if (to < from) {
    for (size_t i = 0; i < count; ++i) to[i] = from[i];
  } else if (to > from) {
    for (size_t i = count; i > 0; --i) to[i - 1] = from[i - 1];
  }
  return destination;
}

void* TESSALANDER_RUNTIME_NAME(memset)(void* destination, int value, size_t count) {
  auto* to = static_cast<unsigned char*>(destination);
  const auto byte = static_cast<unsigned char>(value);
  for (size_t i = 0; i < count; ++i) to[i] = byte;
  return destination;
}

int TESSALANDER_RUNTIME_NAME(memcmp)(const void* left, const void* right, size_t count) {
  const auto* a = static_cast<const unsigned char*>(left);
  const auto* b = static_cast<const unsigned char*>(right);
  for (size_t i = 0; i < count; ++i) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  }
  return 0;
}

void* TESSALANDER_RUNTIME_NAME(memchr)(const void* memory, int value, size_t count) {
  const auto* bytes = static_cast<const unsigned char*>(memory);
  const auto byte = static_cast<unsigned char>(value);
  for (size_t i = 0; i < count; ++i) {
    if (bytes[i] == byte) return const_cast<unsigned char*>(bytes + i);
  }
  return nullptr;
}

size_t TESSALANDER_RUNTIME_NAME(strlen)(const char* text) {
  size_t length = 0;
  while (text[length] != '\0') ++length;
  return length;
}

// At most count bytes; a shorter source is padded with zeros to count, a
// longer one is cut without a terminator.
char* TESSALANDER_RUNTIME_NAME(strncpy)(char* destination, const char* source, size_t count) {
  size_t i = 0;
  for (; i < count && source[i] != '\0'; ++i) destination[i] = source[i];
  for (; i < count; ++i) destination[i] = '\0';
  return destination;
}

char* TESSALANDER_RUNTIME_NAME(strstr)(const char* text, const char* part) {
  for (const char* start = text;; ++start) {
    size_t i = 0;
    while (part[i] != '\0' && start[i] == part[i]) ++i;
    if (part[i] == '\0') return const_cast<char*>(start);
    if (*start == '\0') return nullptr;
  }
}

}  // extern "C"
