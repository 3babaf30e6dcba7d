// The window messages and constants the host's decisions depend on, by their
// Win32 numbers, so the portable logic needs no <windows.h>. The Win32 side
// checks each against the system's headers at compile time.
#pragma once

#include <cstdint>

namespace tessalander {

inline constexpr uint32_t kWmCreate = 0x0001;
inline constexpr uint32_t kWmDestroy = 0x0002;
inline constexpr uint32_t kWmSetText = 0x000C;
inline constexpr uint32_t kWmPaint = 0x000F;
inline constexpr uint32_t kWmClose = 0x0010;
inline constexpr uint32_t kWmShowWindow = 0x0018;
inline constexpr uint32_t kWmActivateApp = 0x001C;
inline constexpr uint32_t kWmSetCursor = 0x0020;
inline constexpr uint32_t kWmPower = 0x0048;
inline constexpr uint32_t kWmHelp = 0x0053;
inline constexpr uint32_t kWmContextMenu = 0x007B;
inline constexpr uint32_t kWmDisplayChange = 0x007E;
inline constexpr uint32_t kWmKeyDown = 0x0100;
inline constexpr uint32_t kWmSysKeyDown = 0x0104;
inline constexpr uint32_t kWmSysCommand = 0x0112;
inline constexpr uint32_t kWmTimer = 0x0113;
inline constexpr uint32_t kWmMouseMove = 0x0200;
inline constexpr uint32_t kWmLButtonDown = 0x0201;
inline constexpr uint32_t kWmRButtonDown = 0x0204;
inline constexpr uint32_t kWmMButtonDown = 0x0207;
inline constexpr uint32_t kWmPowerBroadcast = 0x0218;
inline constexpr uint32_t kWmQueryNewPalette = 0x030F;
inline constexpr uint32_t kWmPaletteChanged = 0x0311;
// The private request that asks the password verifier, sent to the window so
// the verifier's dialog runs inside the window's own message handling.
inline constexpr uint32_t kWmApp = 0x8000;
// The private request the saver posts itself after the display changed, so
// that the window is laid out again once, outside the sent WM_DISPLAYCHANGE.
inline constexpr uint32_t kWmRelayout = kWmApp + 1;

// RealizePalette's answer when it failed.
inline constexpr uint32_t kGdiError = 0xFFFFFFFF;

// WM_POWER's wParam after a critical suspend: the machine just came back.
inline constexpr uintptr_t kPwrCriticalResume = 3;

// WM_POWERBROADCAST's wParam: the power source or the battery's charge
// changed (broadcast to every top-level window, on battery every few
// minutes), and a power setting the window registered for changed.
inline constexpr uintptr_t kPbtApmPowerStatusChange = 0x000A;
inline constexpr uintptr_t kPbtPowerSettingChange = 0x8013;

// System commands that would switch away from the full-screen saver.
inline constexpr uintptr_t kScNextWindow = 0xF040;
inline constexpr uintptr_t kScPrevWindow = 0xF050;
inline constexpr uintptr_t kScScreenSave = 0xF140;

// A message as a window procedure receives it, minus the window.
struct WindowMessage {
  uint32_t message;
  uintptr_t wParam;
  intptr_t lParam;
};

}  // namespace tessalander
