#include "host/win32/thread_dpi_awareness.h"

#include "common/win32/library_function.h"

namespace tessalander {

ThreadDpiAwareness::ThreadDpiAwareness(HWND window) {
  if (window == nullptr) return;
  using GetWindowContextFn = HANDLE(WINAPI*)(HWND);
  const auto windowContext = UserFunction<GetWindowContextFn>("GetWindowDpiAwarenessContext");
  const auto setContext = UserFunction<SetContextFn>("SetThreadDpiAwarenessContext");
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
