// The host's state that its window procedures, close policy and password
// services share. The Win32 side keeps one process-wide instance; tests make
// a fresh one per case.
#pragma once

#include <cstdint>

// A position in screen coordinates.
struct ScreenPoint {
  int32_t x;
  int32_t y;
};

// A function found in a library that was loaded by name; the Win32 side casts
// it back to its real type before calling it.
using LibraryProc = void (*)();
using LibraryHandle = void*;

inline constexpr uint32_t kNoVerifyYet = 0xFFFFFFFF;

struct HostFlags {
  // 1 on Windows 95/98/ME, where the saver asks for the password itself.
  int IsWindows9x = 0;
  // 1 once the saver runs as a child of the display settings' preview.
  int IsPreview = 0;
  // The registered "QueryCancelAutoPlay" message on Windows 95/98/ME, else 0.
  uint32_t AutoPlayMessage = 0;
  // Where mouse travel is measured from.
  ScreenPoint MouseReference = {0, 0};

  // "PASSWORD.CPL" while it is loaded, and its VerifyScreenSavePwd.
  LibraryHandle PasswordLibrary = nullptr;
  LibraryProc Verifier = nullptr;
  // Set once closing may proceed; never cleared.
  int CloseApproved = 0;
  // 1 only while the verifier's dialog runs.
  int VerifyInProgress = 0;
  // When the last verifier dialog ended (GetTickCount).
  uint32_t LastVerifyTick = kNoVerifyYet;
  // Whether LastVerifyTick holds a real reading: a dialog that happens to end
  // at tick 0xFFFFFFFF must still hold off the closes queued behind it.
  bool VerifyHasRun = false;
};
