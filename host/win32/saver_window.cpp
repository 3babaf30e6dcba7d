#include "host/win32/saver_window.h"

#include <cstring>

#include "common/win32/handles.h"
#include "common/win32/library_function.h"
#include "host/close_policy.h"
#include "host/display_power.h"
#include "host/saver_window_layout.h"
#include "host/saver_window_rules.h"
#include "host/setup_input.h"
#include "host/win32/host_state.h"
#include "host/win32/password.h"
#include "host/win32/thread_dpi_awareness.h"
#include "host/win32/win32_saver_platform.h"
#include "resources/resource_ids.h"

namespace tessalander {

namespace {

// ImmAssociateContext, when something else in the process has loaded
// "IMM32.DLL" (the host never loads it), and the input context the window had
// before the host detached it.
using ImmAssociateContextFn = HANDLE(WINAPI*)(HWND, HANDLE);
struct InputMethodState {
  ImmAssociateContextFn associate = nullptr;
  HANDLE savedContext = nullptr;
};

// The one SaverWindow's state, from RunSaverWindow to the end of its loop.
struct SaverWindowState {
  const Animation* animation = nullptr;
  // The animation's, from WM_CREATE to WM_DESTROY.
  Scene* scene = nullptr;
  // What the close policy calls on; bound to the window at each message.
  Win32SaverPlatform platform;
  InputMethodState inputMethod;
  // A kWmRelayout is on its way: further display changes before it arrives
  // give no second one.
  bool relayoutPending = false;
  // The time, the cursor and the keys held when the saver started.
  InputSnapshot launch;
  // The window is destroyed: the animation is torn down and the loop ends.
  bool ended = false;
  // The full-screen saver's registration for the displays' power (Windows
  // Vista and later).
  HANDLE displayPower = nullptr;
};
SaverWindowState TheSaverWindow;

// GetLastInputInfo's record, declared here: the headers give it only to
// programs that require Windows 2000.
struct LastInputRecord {
  UINT cbSize;
  DWORD dwTime;
};
using GetLastInputInfoFn = BOOL(WINAPI*)(LastInputRecord*);

InputSnapshot ReadInputSnapshot() {
  InputSnapshot snapshot;
  snapshot.tick = GetTickCount();
  POINT cursor = {};
  snapshot.cursorKnown = GetCursorPos(&cursor) != 0;
  snapshot.cursor = ScreenPoint{cursor.x, cursor.y};
  for (int key = 1; key < 255; ++key) {
    if (GetAsyncKeyState(key) < 0) snapshot.held.Set(key);
  }
  return snapshot;
}

// When the system last had input from the user, GetTickCount's clock; false
// on systems without GetLastInputInfo (Windows 95/98/ME and NT 4).
bool LastInputTick(uint32_t* tick) {
  const auto lastInput = UserFunction<GetLastInputInfoFn>("GetLastInputInfo");
  LastInputRecord record = {sizeof record, 0};
  if (lastInput == nullptr || !lastInput(&record)) return false;
  *tick = record.dwTime;
  return true;
}

// Input that came while the set-up ran reached another window; it ends the
// saver now, through the close policy, as it would have ended a running one.
void CloseOnInputDuringSetUp() {
  uint32_t lastInput = 0;
  const bool known = LastInputTick(&lastInput);
  const SetUpInput judged = JudgeSetUpInput(Host.IsPreview != 0, TheSaverWindow.launch,
                                            ReadInputSnapshot(), known ? &lastInput : nullptr);
  if (judged == SetUpInput::Close) TheSaverWindow.platform.PostClose();
}

// The whole virtual screen, every monitor (FullScreenArea).
ScreenRect ScreenClipBox() {
  RECT clip = {};
  bool known = false;
  if (const HDC screen = GetDC(nullptr)) {
    const int region = GetClipBox(screen, &clip);
    known = region != ERROR && region != NULLREGION;
    ReleaseDC(nullptr, screen);
  }
  const int32_t left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int32_t top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return FullScreenArea(
      known, {clip.left, clip.top, clip.right, clip.bottom},
      {left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), top + GetSystemMetrics(SM_CYVIRTUALSCREEN)},
      {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
}

WNDCLASSA SaverWindowClass() {
  WNDCLASSA windowClass = {};
  windowClass.style = kSaverClassStyle;
  windowClass.lpfnWndProc = &SaverWindowProc;
  windowClass.hInstance = InstanceHandle;
  // The resources hold icon group IDI_SAVER only, so this is NULL and the
  // class has no icon.
  windowClass.hIcon = LoadIconA(InstanceHandle, MAKEINTRESOURCEA(IDI_CLASS_ICON));
  windowClass.hCursor = nullptr;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kSaverClassName;
  return windowClass;
}

// Ends with the quit message's value; -1 if the loop itself failed.
int RunMessageLoop() {
  MSG message = {};
  BOOL got;
  while ((got = GetMessageA(&message, nullptr, 0, 0)) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return got == 0 ? static_cast<int>(message.wParam) : -1;
}

void DetachInputMethod(HWND window) {
  InputMethodState& ime = TheSaverWindow.inputMethod;
  const HMODULE module = GetModuleHandleA("IMM32.DLL");
  if (module == nullptr) return;
  ime.associate = LibraryFunction<ImmAssociateContextFn>(module, "ImmAssociateContext");
  if (ime.associate == nullptr) return;
  ime.savedContext = ime.associate(window, nullptr);
}

void RestoreInputMethod(HWND window) {
  const InputMethodState& ime = TheSaverWindow.inputMethod;
  if (ime.associate == nullptr || ime.savedContext == nullptr) return;
  ime.associate(window, ime.savedContext);
}

void PostToParent(HWND window, UINT message, LPARAM lParam) {
  const HWND parent = GetParent(window);
  if (parent == nullptr || !IsWindow(parent)) return;
  PostMessageA(parent, message, reinterpret_cast<WPARAM>(parent), lParam);
}

// RegisterPowerSettingNotification and its undoing, and its notification's
// record, declared here: the headers give them only to programs that require
// Windows Vista.
using RegisterPowerSettingFn = HANDLE(WINAPI*)(HANDLE, const GUID*, DWORD);
using UnregisterPowerSettingFn = BOOL(WINAPI*)(HANDLE);
struct PowerSettingRecord {
  GUID PowerSetting;
  DWORD DataLength;
  UCHAR Data[1];
};
static_assert(sizeof(GUID) == sizeof(SettingGuid));

// Asks Windows Vista and later to say when the displays go off and come
// back; earlier systems have no such notification, and the saver ticks on.
void RegisterForDisplayPower(HWND window) {
  OSVERSIONINFOA version = {};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExA(&version)) return;
  const SettingGuid* setting = DisplaySettingFor(version.dwMajorVersion, version.dwMinorVersion);
  const auto registerFor = UserFunction<RegisterPowerSettingFn>("RegisterPowerSettingNotification");
  if (setting == nullptr || registerFor == nullptr) return;
  GUID guid;
  std::memcpy(&guid, setting, sizeof guid);
  TheSaverWindow.displayPower = registerFor(window, &guid, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void UnregisterForDisplayPower() {
  if (TheSaverWindow.displayPower == nullptr) return;
  const auto unregister = UserFunction<UnregisterPowerSettingFn>("UnregisterPowerSettingNotification");
  if (unregister != nullptr) unregister(TheSaverWindow.displayPower);
  TheSaverWindow.displayPower = nullptr;
}

// A power setting changed: the timer stops while the displays are off and
// starts again when they come back on or dim, the puzzle going on from the
// frame it had reached. A whole tick is drawn or none.
void OnPowerSetting(HWND window, LPARAM lParam) {
  if (TheSaverWindow.displayPower == nullptr || lParam == 0) return;
  const auto* record = reinterpret_cast<const PowerSettingRecord*>(lParam);
  SettingGuid setting;
  std::memcpy(&setting, &record->PowerSetting, sizeof setting);
  const DisplayPower power = ReadDisplayPower(setting, record->DataLength, record->Data);
  if (power == DisplayPower::Unknown) return;
  const bool ticking = TimerRuns(TheSaverWindow.scene, Host);
  Host.DisplayOff = power == DisplayPower::Off;
  if (TimerRuns(TheSaverWindow.scene, Host) == ticking) return;
  if (ticking) {
    KillTimer(window, kAnimationTimerId);
  } else {
    SetTimer(window, kAnimationTimerId, kAnimationPeriodMs, nullptr);
  }
}

// After a set-up or a new layout: the timer only for a scene that has
// something to show, and then a paint of the whole window.
void FollowScene(HWND window) {
  if (!TimerRuns(TheSaverWindow.scene, Host)) {
    KillTimer(window, kAnimationTimerId);
    return;
  }
  InvalidateRect(window, nullptr, FALSE);
}

void OnCreate(HWND window) {
  DetachInputMethod(window);
  TheSaverWindow.platform.CursorPosition(&Host.MouseReference);
  if (HidesCursor(Host)) SetCursor(nullptr);
  // The timer runs from the start, so that loading a large picture counts
  // towards the wait for the first tick instead of coming before all of it.
  SetTimer(window, kAnimationTimerId, kAnimationPeriodMs, nullptr);
  TheSaverWindow.scene = TheSaverWindow.animation->SetUp(AsWindow(window));
  FollowScene(window);
  if (!Host.IsPreview) RegisterForDisplayPower(window);
  CloseOnInputDuringSetUp();
}

// True when the animation painted, and so validated, the window.
bool OnPaint(HWND window) {
  if (HidesCursor(Host)) SetCursor(nullptr);
  if (TheSaverWindow.scene == nullptr) return false;
  PAINTSTRUCT paint;
  const HDC context = BeginPaint(window, &paint);
  if (context != nullptr) TheSaverWindow.animation->Paint(TheSaverWindow.scene, AsCanvas(context));
  EndPaint(window, &paint);
  return true;
}

// Realises whatever palette the animation selected into the window's own
// context (its class keeps one: CS_OWNDC), and asks for a paint when colours
// moved. UnrealizeObject makes the realisation a whole one: a palette that
// was realised last is otherwise passed over (Wine does so), and the one the
// set-up realised, before the window was active, was mapped in the
// background. True when the context holds a palette of its own.
bool RealizeOwnPalette(HWND window) {
  const HDC context = GetDC(window);
  if (context == nullptr) return false;
  const HGDIOBJ palette = GetCurrentObject(context, OBJ_PAL);
  const bool own = palette != nullptr && palette != GetStockObject(DEFAULT_PALETTE);
  if (own) {
    UnrealizeObject(palette);
    SelectPalette(context, static_cast<HPALETTE>(palette), RealizesPaletteInBackground(Host));
    if (RepaintsAfterRealizing(RealizePalette(context))) InvalidateRect(window, nullptr, FALSE);
  }
  ReleaseDC(window, context);
  return own;
}

void PostRelayout(HWND window) {
  if (TheSaverWindow.relayoutPending) return;
  TheSaverWindow.relayoutPending = PostMessageA(window, kWmRelayout, 0, 0) != FALSE;
}

// The animation lays itself out for the new screen before the window moves
// there, so that a monitor the window did not cover yet is still the
// desktop's. The move activates nothing: losing activation would close the saver.
void Relayout(HWND window) {
  TheSaverWindow.relayoutPending = false;
  const ScreenRect area = ScreenClipBox();
  if (TheSaverWindow.scene != nullptr) {
    SetTimer(window, kAnimationTimerId, kAnimationPeriodMs, nullptr);
    TheSaverWindow.animation->Relayout(TheSaverWindow.scene, AsWindow(window), area);
    FollowScene(window);
  }
  SetWindowPos(window, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
               SWP_NOACTIVATE | SWP_NOZORDER);
}

// At WM_DESTROY, or at WM_NCDESTROY when none came: Wine destroys a preview
// whose parent's process was killed with WM_NCDESTROY alone, and the loop
// would wait for ever.
void OnDestroy(HWND window) {
  if (TheSaverWindow.ended) return;
  TheSaverWindow.ended = true;
  RestoreInputMethod(window);
  UnregisterForDisplayPower();
  KillTimer(window, kAnimationTimerId);
  if (TheSaverWindow.scene != nullptr) TheSaverWindow.animation->TearDown(TheSaverWindow.scene);
  TheSaverWindow.scene = nullptr;
  PostQuitMessage(0);
}

}  // namespace

int RunSaverWindow(HWND parent, const Animation& animation) {
  TheSaverWindow.launch = ReadInputSnapshot();
  TheSaverWindow.animation = &animation;
  const WNDCLASSA windowClass = SaverWindowClass();

  // A preview is made, and its parent's size read, under the parent's DPI
  // awareness.
  ThreadDpiAwareness awareness(parent);
  SaverWindowLayout layout;
  if (parent != nullptr) {
    RECT client = {};
    GetClientRect(parent, &client);
    layout = PreviewLayout(ScreenRect{client.left, client.top, client.right, client.bottom});
    Host.IsPreview = 1;
  } else {
    layout = FullScreenLayout(ScreenClipBox());
    // One full-screen saver at a time, whichever program made it.
    const HWND running = FindWindowA(kSaverClassName, kSaverTitle);
    if (running != nullptr && IsWindow(running)) {
      SetForegroundWindow(running);
      return 0;
    }
    LoadPasswordVerifier();
  }

  Host.AutoPlayMessage = Host.IsWindows9x ? RegisterWindowMessageA("QueryCancelAutoPlay") : 0;

  HWND saverWindow = nullptr;
  if (RegisterClassA(&windowClass)) {
    saverWindow = CreateWindowExA(layout.exStyle, kSaverClassName, layout.title, layout.style,
                                  layout.x, layout.y, layout.width, layout.height, parent, nullptr,
                                  InstanceHandle, nullptr);
  }
  awareness.Restore();
  // Nothing is shown when the window cannot be made; the exit code says so.
  int exitCode = -1;
  if (saverWindow != nullptr) {
    if (!Host.IsPreview) SetForegroundWindow(saverWindow);
    exitCode = RunMessageLoop();
  }
  UnloadPasswordVerifier();
  return exitCode;
}

// The host's share of each message, then the animation's or the close
// policy's: every message the host does not answer ends in SaverDefaultProc.
LRESULT CALLBACK SaverWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TheSaverWindow.platform.Bind(window);
  switch (message) {
    case WM_CREATE:
      OnCreate(window);
      break;
    case WM_DESTROY:
    case WM_NCDESTROY:
      OnDestroy(window);
      break;
    case WM_SETTEXT:
      return 0;  // the title set at creation never changes
    case WM_PAINT:
      if (!AnimationRuns(Host)) return DefWindowProcA(window, message, wParam, lParam);
      if (OnPaint(window)) return 0;  // DefWindowProcA would only begin and end an empty paint
      break;
    case WM_TIMER:
      if (!TicksRun(Host)) return 0;
      if (TheSaverWindow.scene != nullptr) {
        TheSaverWindow.animation->Tick(TheSaverWindow.scene, AsWindow(window));
      }
      break;
    case WM_HELP:
    case WM_CONTEXTMENU:
      if (!HelpGoesToParent(Host)) break;
      PostToParent(window, message, lParam);
      return 1;
    case WM_SYSCOMMAND:
      if (IsBlockedSystemCommand(Host, wParam)) return 0;
      break;
    case WM_POWERBROADCAST:
      if (wParam == PBT_POWERSETTINGCHANGE) OnPowerSetting(window, lParam);
      break;
    case WM_QUERYNEWPALETTE:
      // TRUE when it realised a palette.
      return RealizesPalette(kWmQueryNewPalette, false) && RealizeOwnPalette(window) ? TRUE : FALSE;
    case WM_PALETTECHANGED:
      if (RealizesPalette(kWmPaletteChanged, reinterpret_cast<HWND>(wParam) == window)) {
        RealizeOwnPalette(window);
      }
      break;
    case WM_DISPLAYCHANGE:
      if (FollowsDisplayChange(Host)) PostRelayout(window);
      break;
    case kWmRelayout:
      if (FollowsDisplayChange(Host)) Relayout(window);
      return 0;
    default:
      break;
  }
  return static_cast<LRESULT>(
      SaverDefaultProc(Host, TheSaverWindow.platform, MessageOf(message, wParam, lParam)));
}

}  // namespace tessalander
