// The host's state that its window procedure, close policy and password
// services share. The Win32 side keeps one process-wide instance; tests make
// a fresh one per case.
#pragma once

#include <cstdint>

#include "common/screen_rect.h"

namespace tessalander {

// A function found in a library that was loaded by name; the Win32 side casts
// it back to its real type before calling it.
using LibraryProc = void (*)();
using LibraryHandle = void*;

struct HostFlags {
  // 1 on Windows 95/98/ME, where the saver asks for the password itself.
  int IsWindows9x = 0;
  // 1 once the saver runs as a child of the display settings' preview.
  int IsPreview = 0;
  // The registered "QueryCancelAutoPlay" message on Windows 95/98/ME, else 0.
  uint32_t AutoPlayMessage = 0;
  // Where mouse travel is measured from.
  ScreenPoint MouseReference = {0, 0};
  // The displays are powered down (Windows Vista and later tell the
  // full-screen saver): the animation's timer stands still.
  bool DisplayOff = false;

  // "PASSWORD.CPL" while it is loaded, and its VerifyScreenSavePwd.
  LibraryHandle PasswordLibrary = nullptr;
  LibraryProc Verifier = nullptr;
  // Set once closing may proceed; never cleared.
  int CloseApproved = 0;
  // 1 only while the verifier's dialog runs.
  int VerifyInProgress = 0;
  // When the last verifier dialog ended (GetTickCount); read only once
  // VerifyHasRun is set, since any tick value, 0xFFFFFFFF included, is real.
  uint32_t LastVerifyTick = 0;
  bool VerifyHasRun = false;
};

}  // namespace tessalander
