// Looks at the dialogs on the screen from outside, for the end-to-end tests:
// where each control is, whether it is enabled and checked, and what it
// reads, so the tests can click and type as a user would and check the result.
//
//   dialog_probe.exe dump                  prints every visible dialog
//   dialog_probe.exe wait WHAT SECONDS     waits, then prints as dump
//   dialog_probe.exe end                   ends the programs that show dialogs
//   dialog_probe.exe acp                   the ANSI code page its locale gives
//
// WHAT is `config` (the configuration dialog is up), `other` (a dialog other
// than the configuration dialog is up: a message box or the Open dialog),
// `alone` (the configuration dialog is up and nothing else) or `gone` (no
// dialog is up). The exit code is 1 when the wait timed out.
//
// Output, one line each, texts in UTF-8, rectangles in screen coordinates:
//   window KIND HWND LEFT TOP RIGHT BOTTOM ENABLED OWNER TITLE
//   closebox KIND X Y                     a point on the window's close box
//   control KIND ID CLASS LEFT TOP RIGHT BOTTOM ENABLED CHECKED TEXT
// KIND is `config` for the configuration dialog and `other` for the rest.
// CHECKED is 0 or 1 for buttons and - for other controls.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kDeleteButton = 1031;  // only the configuration dialog has it

std::string Utf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  out.resize(static_cast<size_t>(size) - 1);
  // One line per window: line feeds in message texts become "\n".
  std::string escaped;
  for (char c : out) escaped += c == '\n' ? std::string("\\n") : std::string(1, c);
  return escaped;
}

// GetWindowText does not ask a window of another process; an edit
// control's text has to be asked for with WM_GETTEXT.
std::string WindowText(HWND window) {
  wchar_t text[1024] = {};
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      2000, &copied);
  return Utf8(text);
}

std::string ClassName(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM list) {
  if (IsWindowVisible(window) && ClassName(window) == "#32770") {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  }
  return TRUE;
}

std::vector<HWND> Dialogs() {
  std::vector<HWND> dialogs;
  EnumWindows(&CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
  return dialogs;
}

bool IsConfigDialog(HWND window) { return GetDlgItem(window, kDeleteButton) != nullptr; }

// A point on the caption that the window itself reports as its close box.
bool FindCloseBox(HWND window, POINT* point) {
  RECT rect;
  GetWindowRect(window, &rect);
  const int caption = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFIXEDFRAME);
  for (int y = rect.top + 2; y < rect.top + caption + 2; y += 2) {
    for (int x = rect.right - 2; x > rect.right - 60; --x) {
      const LRESULT hit = SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y));
      if (hit == HTCLOSE) {
        point->x = x - 3;
        point->y = y + 2;
        if (SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(point->x, point->y)) == HTCLOSE) {
          return true;
        }
      }
    }
  }
  return false;
}

BOOL CALLBACK PrintControl(HWND control, LPARAM kind) {
  RECT rect;
  GetWindowRect(control, &rect);
  const std::string cls = ClassName(control);
  std::string checked = "-";
  if (_stricmp(cls.c_str(), "Button") == 0) {
    checked = SendMessageW(control, BM_GETCHECK, 0, 0) != 0 ? "1" : "0";
  }
  std::printf("control %s %d %s %ld %ld %ld %ld %d %s %s\n", reinterpret_cast<const char*>(kind),
              GetDlgCtrlID(control), cls.c_str(),
              rect.left, rect.top, rect.right, rect.bottom, IsWindowEnabled(control) ? 1 : 0,
              checked.c_str(), WindowText(control).c_str());
  return TRUE;
}

void Dump() {
  for (HWND dialog : Dialogs()) {
    const char* kind = IsConfigDialog(dialog) ? "config" : "other";
    RECT rect;
    GetWindowRect(dialog, &rect);
    std::printf("window %s %lld %ld %ld %ld %ld %d %lld %s\n", kind,
                static_cast<long long>(reinterpret_cast<INT_PTR>(dialog)), rect.left, rect.top,
                rect.right, rect.bottom, IsWindowEnabled(dialog) ? 1 : 0,
                static_cast<long long>(reinterpret_cast<INT_PTR>(GetWindow(dialog, GW_OWNER))),
                WindowText(dialog).c_str());
    POINT close;
    if (FindCloseBox(dialog, &close)) std::printf("closebox %s %ld %ld\n", kind, close.x, close.y);
    EnumChildWindows(dialog, &PrintControl, reinterpret_cast<LPARAM>(kind));
  }
  std::fflush(stdout);
}

bool Reached(const char* what) {
  const std::vector<HWND> dialogs = Dialogs();
  if (std::strcmp(what, "gone") == 0) return dialogs.empty();
  if (std::strcmp(what, "alone") == 0) return dialogs.size() == 1 && IsConfigDialog(dialogs[0]);
  for (HWND dialog : dialogs) {
    if (IsConfigDialog(dialog) == (std::strcmp(what, "config") == 0)) return true;
  }
  return false;
}

// After a failed test: the program under test may still show a dialog, and
// the next test would find it.
void EndDialogPrograms() {
  for (HWND dialog : Dialogs()) {
    DWORD id = 0;
    GetWindowThreadProcessId(dialog, &id);
    if (id == GetCurrentProcessId()) continue;
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, id)) {
      TerminateProcess(process, 1);
      CloseHandle(process);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "dump") == 0) {
    Dump();
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "acp") == 0) {
    std::printf("%u\n", GetACP());
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "end") == 0) {
    EndDialogPrograms();
    return 0;
  }
  if (argc == 4 && std::strcmp(argv[1], "wait") == 0) {
    const DWORD limit = static_cast<DWORD>(std::atoi(argv[3])) * 1000;
    const DWORD start = GetTickCount();
    while (!Reached(argv[2])) {
      if (GetTickCount() - start > limit) {
        Dump();
        return 1;
      }
      Sleep(50);
    }
    // Let the dialog finish its first paint before anyone looks at it.
    Sleep(200);
    Dump();
    return 0;
  }
  std::fprintf(stderr, "usage: dialog_probe dump | end | acp | wait config|other|alone|gone SECONDS\n");
  return 2;
}
