// The program's message boxes. Their texts are code page 932 (Shift-JIS)
// bytes (settings/message_texts.h), and MessageBoxA reads them in the
// system's ANSI code page: on every system whose code page is not 932 the
// user would read mojibake, the Yes/No question before the settings are
// deleted included. There the texts are converted to UTF-16 and shown with
// MessageBoxW instead, which is looked up by name so that the imports stay
// ANSI-only (Windows 95/98/ME implement few wide-character functions).
#pragma once

#include <windows.h>

namespace tessalander {

// MessageBoxA's arguments and answer; a null CAPTION is the system's own.
// Where the ANSI code page is 932, or the conversion, the lookup or
// MessageBoxW fails, it is MessageBoxA with the bytes, as ever.
int ShowCp932MessageBox(HWND owner, const char* text, const char* caption, UINT style);

}  // namespace tessalander
