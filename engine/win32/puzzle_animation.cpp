// The puzzles as the saver window's animation, on GDI and the real settings.
#include "engine/win32/puzzle_animation.h"

#include <cstdlib>
#include <new>

#include "engine/puzzle_scene.h"
#include "engine/win32/block_size.h"
#include "engine/win32/gdi_surface_layer.h"
#include "engine/win32/win32_window_services.h"
#include "settings/win32/win32_registry.h"

namespace tessalander {

namespace {

// Everything the window shows, made at WM_CREATE and freed at WM_DESTROY.
struct WindowScene {
  GdiSurfaceLayer surfaces;
  Win32WindowServices services;
  PuzzleScene puzzles{surfaces, services, BlockSize()};
};

WindowScene& SceneOf(void* scene) { return *static_cast<WindowScene*>(scene); }

void* SetUp(HWND window) {
  // malloc and placement new: the runtime's operator new would bring its
  // exception support along, which the product leaves out.
  void* memory = std::malloc(sizeof(WindowScene));
  if (memory == nullptr) return nullptr;
  auto* scene = new (memory) WindowScene;
  // The settings are read here, once: a change takes effect at the next start.
  SetUpPuzzleScene(scene->puzzles, ReadSaverSettings(ProcessSettingsStore()), AsWindow(window));
  return scene;
}

void Tick(void* scene, HWND window) { TickPuzzleScene(SceneOf(scene).puzzles, AsWindow(window)); }

void Paint(void* scene, HWND window) { PaintPuzzleScene(SceneOf(scene).puzzles, AsWindow(window)); }

void TearDown(void* scene, HWND window) {
  TearDownPuzzleScene(SceneOf(scene).puzzles, AsWindow(window));
  SceneOf(scene).~WindowScene();
  std::free(scene);
}

}  // namespace

const Animation SaverAnimation = {&SetUp, &Tick, &Paint, &TearDown};

}  // namespace tessalander
