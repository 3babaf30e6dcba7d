// The bitmap chooser's logic around the system's Open dialog: the filter
// lists it is handed, and the ".bmp" rule applied to whatever path comes back.
#pragma once

#include <array>
#include <cstddef>

#include "settings/config_dialog.h"

namespace tessalander {

// The Open dialog stores the user's last pattern in the custom filter, so
// the buffer keeps its full size for the whole process.
inline constexpr size_t kCustomFilterSize = 40;
inline constexpr char kInitialCustomFilter[] = "BMP FILES(*.bmp)|*.bmp|";
using CustomFilter = std::array<char, kCustomFilterSize>;
// The custom filter as the first Open dialog of the process gets it.
constexpr CustomFilter InitialCustomFilter() {
  static_assert(sizeof kInitialCustomFilter <= kCustomFilterSize);
  CustomFilter filter{};
  for (size_t i = 0; i < sizeof kInitialCustomFilter; ++i) filter[i] = kInitialCustomFilter[i];
  return filter;
}
// Becomes the one filter "ALL FILES" / "*.*", ended by a double NUL.
inline constexpr char kAllFilesFilter[] = "ALL FILES|*.*|";
inline constexpr char kFilterSeparator = '|';
inline constexpr char kDefaultExtension[] = "BMP";
inline constexpr char kBmpExtension[] = ".bmp";
inline constexpr size_t kFileTitleSize = 16;
// The room the Open dialog is given in PathBuffer.
inline constexpr unsigned kMaxChosenPath = 128;

// Replaces with NUL every byte equal to character among the text's bytes and
// its terminator, the length being measured before any change. Turns the
// '|'-separated filter texts into the Open dialog's NUL-separated lists.
void ReplaceWithNul(char* text, char character);

// Whether a byte starts a two-byte character in the system's ANSI code page.
using LeadBytePredicate = bool (*)(unsigned char byte);

// Makes the text name a ".bmp": unless ".bmp" or ".BMP" occurs anywhere in
// it (case-sensitive), ".bmp" is appended. A text too long to take the four
// characters is first cut back, never through a two-byte character, so the
// result always fits the buffer with its NUL.
void EnsureBmpExtension(SettingText& path, LeadBytePredicate isLeadByte);

enum class OpenDialogOutcome { Chosen, Cancelled, Failed };

// What the chooser leaves in path once the Open dialog has closed. Chosen
// and Cancelled apply the ".bmp" rule and return 1: the text is to be shown
// in PathField. Failed puts back the 256 bytes held before the dialog, which
// may have overwritten them with its own report, and returns 0.
int SettleChosenPath(SettingText& path, const SettingText& before, OpenDialogOutcome outcome,
                     LeadBytePredicate isLeadByte);

}  // namespace tessalander
