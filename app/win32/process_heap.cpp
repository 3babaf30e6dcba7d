// malloc and free for the .scr, on the process's own heap, in place of the
// C runtime DLL's (Windows 95 as first released has no msvcrt.dll). As the
// C library's do, malloc gives nullptr when it fails and free(nullptr) does
// nothing, where HeapFree's behaviour with it is undefined.
#include <windows.h>

extern "C" void* malloc(size_t size) { return HeapAlloc(GetProcessHeap(), 0, size); }

extern "C" void free(void* block) {
  if (block != nullptr) HeapFree(GetProcessHeap(), 0, block);
}
