#include "settings/win32/config_dialog_proc.h"

#include "settings/config_dialog.h"
#include "settings/message_texts.h"
#include "settings/win32/browse_bitmap_file.h"
#include "settings/win32/cp932_message_box.h"
#include "settings/win32/win32_registry.h"

namespace tessalander {

namespace {

// The path that OK stores; it follows PathField for the dialog's lifetime.
SettingText PathBuffer;

class Win32DialogControls final : public ConfigDialogControls {
 public:
  explicit Win32DialogControls(HWND dialog) : dialog_(dialog) {}

  bool IsChecked(int id) override {
    return SendDlgItemMessageA(dialog_, id, BM_GETCHECK, 0, 0) != 0;
  }
  void Check(int id) override { SendDlgItemMessageA(dialog_, id, BM_SETCHECK, BST_CHECKED, 0); }
  void SetPathText(const char* text) override { SetDlgItemTextA(dialog_, kPathField, text); }
  void ReadPathText(char* buffer, int size) override {
    GetDlgItemTextA(dialog_, kPathField, buffer, size);
  }
  void EnablePathField(bool enabled) override {
    EnableWindow(GetDlgItem(dialog_, kPathField), enabled ? TRUE : FALSE);
  }
  void EndDialog() override { ::EndDialog(dialog_, 0); }
  int Browse(SettingText& path) override { return BrowseBitmapFile(dialog_, path); }
  void ShowBrowseError() override {
    ShowCp932MessageBox(dialog_, kBrowseErrorText, kBrowseErrorCaption, MB_OK);
  }
  void ShowAbout() override {
    ShowCp932MessageBox(dialog_, kAboutText, kAboutCaption, MB_OK | MB_ICONQUESTION);
  }
  bool ConfirmDelete() override {
    return ShowCp932MessageBox(dialog_, kDeleteText, kDeleteCaption,
                               MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
  }

 private:
  HWND dialog_;
};

}  // namespace

INT_PTR CALLBACK ConfigDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  Win32DialogControls controls(dialog);
  switch (message) {
    case WM_INITDIALOG:
      InitConfigDialog(ProcessSettingsStore(), controls, PathBuffer);
      // The system puts the focus on the first tab stop, OK.
      return TRUE;
    case WM_COMMAND:
      return HandleConfigCommand(LOWORD(wParam), ProcessSettingsStore(), controls, PathBuffer)
                 ? TRUE
                 : FALSE;
    default:
      return FALSE;
  }
}

}  // namespace tessalander
