// A modal message to the user with no owner window and the system's default
// caption; the Win32 back-end is a message box, tests record the texts.
#pragma once

namespace tessalander {

struct Alert {
  virtual void Show(const char* text) = 0;

 protected:
  ~Alert() = default;
};

}  // namespace tessalander
