// The puzzles on a real window: GDI surfaces, the window's services and one
// puzzle per monitor, set up at WM_CREATE with the settings it is given,
// ticked, painted and torn down at WM_DESTROY.
#pragma once

#include <windows.h>

#include "common/screen_rect.h"
#include "settings/saver_settings.h"

namespace tessalander {

struct WindowScene;

// WM_CREATE: makes the scene and sets its puzzles up; nullptr when there is
// no memory for it, and then the window stays black.
WindowScene* SetUpWindowScene(HWND window, const SaverSettings& settings);
void TickWindowScene(WindowScene& scene, HWND window);
void PaintWindowScene(WindowScene& scene, HWND window);
// After a display change, before the window moves over `place`.
void RelayoutWindowScene(WindowScene& scene, HWND window, ScreenRect place);
// WM_DESTROY: tears the puzzles down and frees the scene.
void TearDownWindowScene(WindowScene* scene, HWND window);

}  // namespace tessalander
