#include "host/win32/win32_saver_platform.h"

#include "host/saver_window_layout.h"
#include "common/win32/library_function.h"
#include "host/window_messages.h"

namespace tessalander {

// The portable decisions name the messages by number.
static_assert(kWmCreate == WM_CREATE && kWmDestroy == WM_DESTROY && kWmSetText == WM_SETTEXT);
static_assert(kWmPaint == WM_PAINT && kWmClose == WM_CLOSE && kWmShowWindow == WM_SHOWWINDOW);
static_assert(kWmActivateApp == WM_ACTIVATEAPP && kWmSetCursor == WM_SETCURSOR);
static_assert(kWmPower == WM_POWER && kWmHelp == WM_HELP && kWmContextMenu == WM_CONTEXTMENU);
static_assert(kWmKeyDown == WM_KEYDOWN && kWmSysKeyDown == WM_SYSKEYDOWN);
static_assert(kWmSysCommand == WM_SYSCOMMAND && kWmTimer == WM_TIMER);
static_assert(kWmMouseMove == WM_MOUSEMOVE && kWmLButtonDown == WM_LBUTTONDOWN);
static_assert(kWmRButtonDown == WM_RBUTTONDOWN && kWmMButtonDown == WM_MBUTTONDOWN);
static_assert(kWmPowerBroadcast == WM_POWERBROADCAST && kWmApp == WM_APP);
static_assert(kWmQueryNewPalette == WM_QUERYNEWPALETTE && kWmPaletteChanged == WM_PALETTECHANGED);
static_assert(kGdiError == GDI_ERROR);
static_assert(kWmDisplayChange == WM_DISPLAYCHANGE);
static_assert(kPwrCriticalResume == PWR_CRITICALRESUME);
static_assert(kPbtApmPowerStatusChange == PBT_APMPOWERSTATUSCHANGE);
static_assert(kPbtPowerSettingChange == PBT_POWERSETTINGCHANGE);
static_assert(kScNextWindow == SC_NEXTWINDOW && kScPrevWindow == SC_PREVWINDOW);
static_assert(kScScreenSave == SC_SCREENSAVE);
static_assert(kSaverClassStyle == (CS_OWNDC | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW));
static_assert(kWsExTopmost == WS_EX_TOPMOST);
static_assert(kFullScreenStyle == (WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN));
static_assert(kPreviewStyle == (WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN));

namespace {

using VerifyScreenSavePwdFn = BOOL(WINAPI*)(HWND);

}  // namespace

void Win32SaverPlatform::PostClose() { PostMessageA(window_, WM_CLOSE, 0, 0); }

void Win32SaverPlatform::HideCursor() { SetCursor(nullptr); }

bool Win32SaverPlatform::CursorPosition(ScreenPoint* point) {
  POINT position = {};
  if (!GetCursorPos(&position)) return false;
  *point = ScreenPoint{position.x, position.y};
  return true;
}

intptr_t Win32SaverPlatform::DefaultProc(const WindowMessage& m) {
  return DefWindowProcA(window_, m.message, static_cast<WPARAM>(m.wParam),
                        static_cast<LPARAM>(m.lParam));
}

intptr_t Win32SaverPlatform::CallVerifier(LibraryProc verifier) {
  return reinterpret_cast<VerifyScreenSavePwdFn>(verifier)(window_);
}

uint32_t Win32SaverPlatform::TickCount() { return GetTickCount(); }

void Win32SaverPlatform::DropPendingTick() {
  MSG scratch;
  PeekMessageA(&scratch, window_, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD);
}

intptr_t Win32SaverPlatform::SendVerifyRequest() { return SendMessageA(window_, WM_APP, 0, 0); }

LibraryHandle Win32SystemServices::LoadLibraryByName(const char* name) { return LoadLibraryA(name); }

LibraryProc Win32SystemServices::FindFunction(LibraryHandle library, const char* name) {
  return LibraryFunction<LibraryProc>(static_cast<HMODULE>(library), name);
}

void Win32SystemServices::FreeLibraryHandle(LibraryHandle library) {
  FreeLibrary(static_cast<HMODULE>(library));
}

void Win32SystemServices::SetScreenSaverRunning(int state) {
  BOOL previous = FALSE;  // scratch: the previous state is not used
  SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, static_cast<UINT>(state), &previous, 0);
}

}  // namespace tessalander
