#include "settings/win32/configure_hook.h"

namespace {

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

int ConfigureHook(HINSTANCE instance) {
  const INT_PTR result =
      DialogBoxParamA(instance, MAKEINTRESOURCEA(101), nullptr, &ConfigDialogProc, 0);
  return result != -1 ? 1 : 0;
}
