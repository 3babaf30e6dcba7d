// The Browse button's picture chooser: the system's Open dialog on the
// configuration dialog's PathBuffer.
#pragma once

#include <windows.h>

#include "settings/config_dialog.h"

namespace tessalander {

// Offers the text in path as the file name, applies the ".bmp" rule to what
// comes back (a choice or, after Cancel, the text as it was) and shows it in
// PathField: 1. When the Open dialog fails rather than being cancelled, path
// and PathField keep their text: 0.
int BrowseBitmapFile(HWND dialog, SettingText& path);

}  // namespace tessalander
