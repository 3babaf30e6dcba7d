#include "settings/win32/cp932_message_box.h"

#include "common/win32/library_function.h"

namespace tessalander {

namespace {

constexpr UINT kShiftJis = 932;

using MessageBoxWFn = int(WINAPI*)(HWND, LPCWSTR, LPCWSTR, UINT);

// False when the text does not fit or the system cannot convert from code
// page 932 (one without the Japanese code page installed).
template <int N>
bool FromShiftJis(const char* text, wchar_t (&wide)[N]) {
  return MultiByteToWideChar(kShiftJis, 0, text, -1, wide, N) != 0;
}

}  // namespace

int ShowCp932MessageBox(HWND owner, const char* text, const char* caption, UINT style) {
  if (GetACP() != kShiftJis) {
    const auto messageBoxW = UserFunction<MessageBoxWFn>("MessageBoxW");
    wchar_t wideText[512];
    wchar_t wideCaption[128];
    if (messageBoxW != nullptr && FromShiftJis(text, wideText) &&
        (caption == nullptr || FromShiftJis(caption, wideCaption))) {
      // 0 is a failure, or a stub that showed nothing.
      const int answer =
          messageBoxW(owner, wideText, caption != nullptr ? wideCaption : nullptr, style);
      if (answer != 0) return answer;
    }
  }
  return MessageBoxA(owner, text, caption, style);
}

}  // namespace tessalander
