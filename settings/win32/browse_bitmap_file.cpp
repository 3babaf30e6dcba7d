#include "settings/win32/browse_bitmap_file.h"

#include <commdlg.h>

#include <cstddef>
#include <cstring>

#include "settings/bitmap_chooser.h"

namespace tessalander {

namespace {

// All of these live as long as the process; the Open dialog keeps the
// pattern the user last chose in the custom filter's second string.
OPENFILENAMEA OpenFileRecord;
CustomFilter CustomFilterBuffer = InitialCustomFilter();
char FileTitleBuffer[kFileTitleSize];

// The record as Windows 95 and NT 4 know it, without the three fields that
// Windows 2000 added, so every system accepts it.
constexpr DWORD kOpenFileRecordSize =
    offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(OpenFileRecord.lpTemplateName);
#ifndef _WIN64
static_assert(kOpenFileRecordSize == 76, "the pre-Windows 2000 OPENFILENAMEA is 76 bytes");
#endif

constexpr DWORD kOpenFlags = OFN_EXPLORER | OFN_CREATEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
static_assert(kOpenFlags == 0x82804);

bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

}  // namespace

int BrowseBitmapFile(HWND dialog, SettingText& path) {
  char filterList[sizeof kAllFilesFilter];
  std::memcpy(filterList, kAllFilesFilter, sizeof filterList);
  ReplaceWithNul(filterList, kFilterSeparator);
  ReplaceWithNul(CustomFilterBuffer.data(), kFilterSeparator);

  OpenFileRecord.lStructSize = kOpenFileRecordSize;
  OpenFileRecord.hwndOwner = dialog;
  OpenFileRecord.hInstance = nullptr;
  OpenFileRecord.lpstrFilter = filterList;
  OpenFileRecord.lpstrCustomFilter = CustomFilterBuffer.data();
  OpenFileRecord.nMaxCustFilter = kCustomFilterSize;
  // Past the one filter in the list; the custom filter is what shows.
  OpenFileRecord.nFilterIndex = 2;
  OpenFileRecord.lpstrFile = path;
  OpenFileRecord.nMaxFile = kMaxChosenPath;
  OpenFileRecord.lpstrFileTitle = FileTitleBuffer;
  OpenFileRecord.nMaxFileTitle = kFileTitleSize;
  OpenFileRecord.lpstrInitialDir = nullptr;
  OpenFileRecord.lpstrTitle = nullptr;
  OpenFileRecord.Flags = kOpenFlags;
  OpenFileRecord.lpstrDefExt = kDefaultExtension;
  OpenFileRecord.lCustData = 0;
  OpenFileRecord.lpfnHook = nullptr;
  OpenFileRecord.lpTemplateName = nullptr;

  // A failing Open dialog may leave its own report in the buffer.
  SettingText before;
  std::memcpy(before, path, sizeof before);
  OpenDialogOutcome outcome = OpenDialogOutcome::Chosen;
  if (!GetOpenFileNameA(&OpenFileRecord)) {
    outcome = CommDlgExtendedError() == 0 ? OpenDialogOutcome::Cancelled : OpenDialogOutcome::Failed;
  }
  if (!SettleChosenPath(path, before, outcome, &IsAnsiLeadByte)) return 0;
  SetDlgItemTextA(dialog, kPathField, path);
  return 1;
}

}  // namespace tessalander
