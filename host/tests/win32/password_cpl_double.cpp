// A stand-in for the system's "PASSWORD.CPL": VerifyScreenSavePwd answers as
// the test scripts it and logs what it was asked.
//
// TESS_PASSWORD_SCRIPT names a file with one answer per call, in order:
//   accept | refuse      answer at once
//   accept MS | refuse MS  first run a modal loop for MS milliseconds, as the
//                        real dialog does, dispatching the saver's messages
//   crash                an access violation inside the verifier
// A call beyond the script's end refuses.
//
// Loaded into the saver's process, it can also watch it: with
// TESS_RESOURCE_SAMPLES naming a file, a thread appends one line a second,
//   MS gdi=N private=BYTES working=BYTES
// the process's GDI objects and memory, for the flatness test.
#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/tests/win32/test_double_log.h"

namespace {

int CallCount = 0;

// The script's line for this call, or "" past its end.
void ScriptLine(int index, char* line, size_t size) {
  line[0] = '\0';
  char path[MAX_PATH] = "";
  if (GetEnvironmentVariableA("TESS_PASSWORD_SCRIPT", path, sizeof path) == 0) return;
  FILE* file = std::fopen(path, "r");
  if (file == nullptr) return;
  for (int i = 0; i <= index; ++i) {
    if (std::fgets(line, static_cast<int>(size), file) == nullptr) {
      line[0] = '\0';
      break;
    }
  }
  std::fclose(file);
  line[std::strcspn(line, "\r\n")] = '\0';
}

void RunModalLoop(DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(5);
  }
}

// GDI objects of this process. GetGuiResources where the system counts them;
// Wine answers 0 there but keeps a per-process handle table that the process
// environment block points at, whose live entries have a nonzero type.
unsigned long GdiObjectCount() {
  const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (counted != 0) return counted;
  struct HandleEntry {
    ULONGLONG object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    ULONGLONG user;
  };
  using QueryFn = LONG(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION basic = {};
  if (query == nullptr ||
      query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) {
    return 0;
  }
  const PEB* peb = basic.PebBaseAddress;
  // GdiSharedHandleTable: 0xF8 into the 64-bit PEB.
  const auto* table = *reinterpret_cast<HandleEntry* const*>(reinterpret_cast<const char*>(peb) + 0xF8);
  if (table == nullptr) return 0;
  unsigned long live = 0;
  for (int i = 0; i < 0x10000; ++i) live += table[i].type != 0 ? 1 : 0;
  return live;
}

DWORD WINAPI SampleResources(LPVOID) {
  char path[MAX_PATH] = "";
  GetEnvironmentVariableA("TESS_RESOURCE_SAMPLES", path, sizeof path);
  const DWORD start = GetTickCount();
  for (;;) {
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    if (FILE* file = std::fopen(path, "ab")) {
      std::fprintf(file, "%lu gdi=%lu private=%llu working=%llu\n",
                   static_cast<unsigned long>(GetTickCount() - start), GdiObjectCount(),
                   static_cast<unsigned long long>(memory.PagefileUsage),
                   static_cast<unsigned long long>(memory.WorkingSetSize));
      std::fclose(file);
    }
    Sleep(1000);
  }
}

}  // namespace

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND window) {
  char line[128];
  ScriptLine(CallCount++, line, sizeof line);
  char className[128] = "";
  char title[128] = "";
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, title, sizeof title);
  LogLine("verify %d hwnd=%u class=%s title=%s script=%s", CallCount, HandleValue(window),
          className, title, line);

  if (std::strcmp(line, "crash") == 0) {
    *static_cast<volatile int*>(nullptr) = 0;
  }
  const bool accept = std::strncmp(line, "accept", 6) == 0;
  const char* space = std::strchr(line, ' ');
  if (space != nullptr) RunModalLoop(static_cast<DWORD>(std::atoi(space + 1)));
  // Like the real dialog, this one showed the cursor while it was up.
  ShowCursor(TRUE);
  SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)));
  ShowCursor(FALSE);
  LogLine("answer %d %s", CallCount, accept ? "accept" : "refuse");
  return accept ? TRUE : FALSE;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    LogLine("password.cpl loaded");
    if (GetEnvironmentVariableA("TESS_RESOURCE_SAMPLES", nullptr, 0) != 0) {
      CloseHandle(CreateThread(nullptr, 0, &SampleResources, nullptr, 0, nullptr));
    }
  }
  if (reason == DLL_PROCESS_DETACH) LogLine("password.cpl freed");
  return TRUE;
}
