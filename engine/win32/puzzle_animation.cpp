// The puzzle as the saver window's animation, on GDI and the real settings.
#include <cstdlib>
#include <new>

#include "engine/animation.h"
#include "engine/frame_painting.h"
#include "engine/scene.h"
#include "engine/win32/block_size.h"
#include "engine/win32/gdi_surface_layer.h"
#include "engine/win32/win32_window_services.h"
#include "host/win32/animation.h"
#include "settings/win32/win32_registry.h"

namespace tessalander {

namespace {

// Everything the window shows, made at WM_CREATE and freed at WM_DESTROY.
struct PuzzleScene {
  GdiSurfaceLayer surfaces;
  Win32WindowServices services;
  PuzzleEngine puzzle{surfaces, services, BlockSize};
};

PuzzleScene& SceneOf(void* scene) { return *static_cast<PuzzleScene*>(scene); }

void* SetUp(HWND window) {
  // malloc and placement new: the runtime's operator new would bring its
  // exception support along, which the product leaves out.
  void* memory = std::malloc(sizeof(PuzzleScene));
  if (memory == nullptr) return nullptr;
  auto* scene = new (memory) PuzzleScene;
  // The settings are read here, once: a change takes effect at the next start.
  SetUpScene(scene->puzzle, ReadSaverSettings(ProcessSettingsStore()), AsWindow(window));
  return scene;
}

void Tick(void* scene, HWND window) { AdvanceAnimation(SceneOf(scene).puzzle, AsWindow(window)); }

void Paint(void* scene, HWND window) { PaintFrame(SceneOf(scene).puzzle, AsWindow(window)); }

void TearDown(void* scene, HWND window) {
  TearDownScene(SceneOf(scene).puzzle, AsWindow(window));
  SceneOf(scene).~PuzzleScene();
  std::free(scene);
}

}  // namespace

const Animation SaverAnimation = {&SetUp, &Tick, &Paint, &TearDown};

}  // namespace tessalander
