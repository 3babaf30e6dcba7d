#include "settings/config_dialog.h"

#include <cstring>

namespace tessalander {

int ButtonForCode(int code, const ChoiceIds& ids) {
  if (code >= 1 && code <= 4) return ids[static_cast<size_t>(code - 1)];
  return ids[1];
}

int CheckedChoiceCode(ConfigDialogControls& controls, const ChoiceIds& ids) {
  for (size_t place = 0; place < ids.size(); ++place) {
    if (ids[place] == kNoButton) continue;
    if (controls.IsChecked(ids[place])) return static_cast<int>(place) + 1;
  }
  return kNoCode;
}

void InitConfigDialog(SettingsStore& store, ConfigDialogControls& controls, SettingText& path) {
  for (const ChoiceGroup& group : kChoiceGroups) {
    const int button = ButtonForCode(ReadSettingCode(store, group.setting, kNoCode), group.ids);
    // An empty place must not reach the window system: -1 is also the id of
    // the dialog's credit label.
    if (button != kNoButton) controls.Check(button);
  }
  if (ReadSettingCode(store, kParallel, kNoCode) == kTileAlways) controls.Check(kTileCheckBox);

  // Zero-filled, so the bytes after the text that OK writes are not left over
  // from an earlier text.
  const char* stored = ReadSettingText(store, kBmpFile);
  std::memset(path, 0, sizeof path);
  if (stored != nullptr) std::strncpy(path, stored, sizeof path - 1);
  controls.SetPathText(path);

  if (controls.IsChecked(kDesktopButton)) controls.EnablePathField(false);
}

void WriteConfigSettings(SettingsStore& store, ConfigDialogControls& controls,
                         const SettingText& path) {
  for (const ChoiceGroup& group : kChoiceGroups) {
    WriteSetting(store, group.setting, nullptr, CheckedChoiceCode(controls, group.ids));
  }
  WriteSetting(store, kParallel, nullptr,
               controls.IsChecked(kTileCheckBox) ? kTileAlways : kTileNotAlways);
  // Stored whatever the source, so a path chosen with the desktop selected is kept.
  WriteSetting(store, kBmpFile, path, kTextCode);
}

bool HandleConfigCommand(int id, SettingsStore& store, ConfigDialogControls& controls,
                         SettingText& path) {
  switch (id) {
    case kOkButton:
      WriteConfigSettings(store, controls, path);
      controls.EndDialog();
      return true;
    case kCancelButton:
      controls.EndDialog();
      return true;
    case kPathField:
      controls.ReadPathText(path, static_cast<int>(sizeof path));
      return true;
    case kBrowseButton:
      if (controls.Browse(path) == 0) {
        controls.ShowBrowseError();
        return false;
      }
      return true;
    case kDesktopButton:
      controls.EnablePathField(false);
      return true;
    case kBitmapButton:
      controls.EnablePathField(true);
      return true;
    case kAboutButton:
      controls.ShowAbout();
      return true;
    case kDeleteButton:
      if (controls.ConfirmDelete()) {
        DeleteSettings(store);
        controls.EndDialog();
      }
      return true;
    default:
      // The auto buttons keep their own check state.
      return false;
  }
}

}  // namespace tessalander
