#include "host/win32/thread_dpi_awareness.h"

#include "common/win32/library_function.h"

namespace tessalander {

ThreadDpiAwareness::ThreadDpiAwareness(HWND window) {
  if (window == nullptr) return;
  const HMODULE user = GetModuleHandleA("USER32.DLL");
  if (user == nullptr) return;
  using GetWindowContextFn = HANDLE(WINAPI*)(HWND);
  const auto windowContext =
      LibraryFunction<GetWindowContextFn>(user, "GetWindowDpiAwarenessContext");
  const auto setContext = LibraryFunction<SetContextFn>(user, "SetThreadDpiAwarenessContext");
  if (windowContext == nullptr || setContext == nullptr) return;
  const HANDLE context = windowContext(window);
  if (context == nullptr) return;
  // NULL: the context was refused and the thread left as it was.
  previous_ = setContext(context);
  if (previous_ != nullptr) setContext_ = setContext;
}

void ThreadDpiAwareness::Restore() {
  if (setContext_ != nullptr) setContext_(previous_);
  setContext_ = nullptr;
}

}  // namespace tessalander
