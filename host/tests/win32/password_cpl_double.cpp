// A stand-in for the system's "PASSWORD.CPL": VerifyScreenSavePwd answers as
// the test scripts it and logs what it was asked.
//
// TESS_PASSWORD_SCRIPT names a file with one answer per call, in order:
//   accept | refuse      answer at once
//   accept MS | refuse MS  first run a modal loop for MS milliseconds, as the
//                        real dialog does, dispatching the saver's messages
//   crash                an access violation inside the verifier
// A call beyond the script's end refuses.
#include <windows.h>

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
  if (reason == DLL_PROCESS_ATTACH) LogLine("password.cpl loaded");
  if (reason == DLL_PROCESS_DETACH) LogLine("password.cpl freed");
  return TRUE;
}
