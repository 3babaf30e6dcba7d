#include "app/win32/saver_animation.h"

#include "engine/win32/window_scene.h"
#include "settings/win32/win32_registry.h"

namespace tessalander {

namespace {

WindowScene& SceneOf(void* scene) { return *static_cast<WindowScene*>(scene); }

void* SetUp(HWND window) {
  // The settings are read here, once: a change takes effect at the next start.
  return SetUpWindowScene(window, ReadSaverSettings(ProcessSettingsStore()));
}

void Tick(void* scene, HWND window) { TickWindowScene(SceneOf(scene), window); }

void Paint(void* scene, HWND window) { PaintWindowScene(SceneOf(scene), window); }

void TearDown(void* scene, HWND window) {
  TearDownWindowScene(static_cast<WindowScene*>(scene), window);
}

void Relayout(void* scene, HWND window, ScreenRect place) {
  RelayoutWindowScene(SceneOf(scene), window, place);
}

}  // namespace

const Animation SaverAnimation = {&SetUp, &Tick, &Paint, &TearDown, &Relayout};

}  // namespace tessalander
