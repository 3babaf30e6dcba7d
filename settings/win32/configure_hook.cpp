#include "settings/win32/configure_hook.h"

#include "settings/config_dialog.h"
#include "settings/message_texts.h"
#include "settings/win32/config_dialog_proc.h"
#include "settings/win32/cp932_message_box.h"

namespace tessalander {

int ConfigureHook(HINSTANCE instance) {
  // No owner: the dialog stands on its own, at the screen's top-left corner.
  const INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(kConfigDialogTemplate), nullptr,
                                         &ConfigDialogProc, 0);
  if (result != -1) return 1;
  ShowCp932MessageBox(nullptr, kDialogBoxFailedText, kDialogBoxFailedCaption, MB_OK);
  return 0;
}

}  // namespace tessalander
