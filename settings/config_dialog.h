// The configuration dialog's decisions, apart from the window system: which
// button shows a stored code, which code the buttons give back, what opening
// the dialog fills in, what OK stores and what each command does. The Win32
// dialog procedure only forwards its messages here.
#pragma once

#include <array>

#include "resources/resource_ids.h"
#include "settings/settings_store.h"

namespace tessalander {

// Dialog template 101 and its control ids.
inline constexpr int kConfigDialogTemplate = IDD_CONFIG;
inline constexpr int kOkButton = IDOK;
inline constexpr int kCancelButton = IDCANCEL;
inline constexpr int kPathField = IDC_PATH;
inline constexpr int kBrowseButton = IDC_BROWSE;
inline constexpr int kDesktopButton = IDC_SOURCE_DESKTOP;
inline constexpr int kBitmapButton = IDC_SOURCE_BITMAP;
inline constexpr int kTileCheckBox = IDC_TILE;
inline constexpr int kAboutButton = IDC_ABOUT;
inline constexpr int kDeleteButton = IDC_DELETE;
// An empty place in a choice group.
inline constexpr int kNoButton = -1;

// A group of radio buttons, listed in the order of the codes 1 to 4.
using ChoiceIds = std::array<int, 4>;

struct ChoiceGroup {
  const char* setting;
  ChoiceIds ids;
};

inline constexpr ChoiceIds kSpeedGroup = {IDC_SPEED_SLOW, IDC_SPEED_NORMAL, IDC_SPEED_FAST,
                                          IDC_SPEED_FASTEST};
inline constexpr ChoiceIds kShuffleGroup = {IDC_SHUFFLE_FEW, IDC_SHUFFLE_NORMAL, IDC_SHUFFLE_MANY,
                                            IDC_SHUFFLE_TOO_MANY};
inline constexpr ChoiceIds kBackgroundGroup = {IDC_BACK_WHITE, IDC_BACK_BLACK, kNoButton, kNoButton};
inline constexpr ChoiceIds kSourceGroup = {IDC_SOURCE_DESKTOP, IDC_SOURCE_BITMAP, kNoButton, kNoButton};

// In the order the dialog reads them and OK writes them.
inline constexpr ChoiceGroup kChoiceGroups[] = {
    {kSpeed, kSpeedGroup},
    {kShuffleNum, kShuffleGroup},
    {kBackColor, kBackgroundGroup},
    {kGetImage, kSourceGroup},
};

// A 256-byte text as `bmpfile` is stored: the dialog's PathBuffer, which
// holds the path that OK writes.
using SettingText = char[kSettingTextSize];

// What the dialog procedure can do to its own window; the Win32 adapter
// drives the real controls, tests a fake set.
struct ConfigDialogControls {
  // BM_GETCHECK answered non-zero.
  virtual bool IsChecked(int id) = 0;
  // BM_SETCHECK with BST_CHECKED; the other buttons are left as they are.
  virtual void Check(int id) = 0;
  virtual void SetPathText(const char* text) = 0;
  // Copies PathField's text into buffer, at most size - 1 bytes and a NUL.
  virtual void ReadPathText(char* buffer, int size) = 0;
  virtual void EnablePathField(bool enabled) = 0;
  // Ends the modal dialog with result 0.
  virtual void EndDialog() = 0;
  // Runs the bitmap chooser on path; its result (0 when the Open dialog failed).
  virtual int Browse(SettingText& path) = 0;
  virtual void ShowBrowseError() = 0;
  virtual void ShowAbout() = 0;
  // Asks whether all settings may go; true for Yes.
  virtual bool ConfirmDelete() = 0;

 protected:
  ~ConfigDialogControls() = default;
};

// The button that shows a stored code: codes 1 to 4 pick their place, every
// other code the second (the default). In a two-choice group 3 and 4 give
// kNoButton, and no button is checked.
int ButtonForCode(int code, const ChoiceIds& ids);

// The place (1 to 4) of the first checked button, or kNoCode when none is.
int CheckedChoiceCode(ConfigDialogControls& controls, const ChoiceIds& ids);

// Opening the dialog: checks the stored choices, fills path (and PathField)
// from `bmpfile`, and disables PathField when the desktop is the source.
void InitConfigDialog(SettingsStore& store, ConfigDialogControls& controls, SettingText& path);

// OK: the six writes, in order. A group with nothing checked gives kNoCode,
// which WriteSetting refuses, so the stored code stays.
void WriteConfigSettings(SettingsStore& store, ConfigDialogControls& controls,
                         const SettingText& path);

// One WM_COMMAND, by control id; the notification code does not matter.
// Returns the dialog procedure's answer: true when the command was handled.
bool HandleConfigCommand(int id, SettingsStore& store, ConfigDialogControls& controls,
                         SettingText& path);

}  // namespace tessalander
