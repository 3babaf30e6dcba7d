#include "engine/win32/window_scene.h"

#include <cstdlib>
#include <new>

#include "engine/scene.h"
#include "engine/win32/block_size.h"
#include "engine/win32/gdi_surface_layer.h"
#include "engine/win32/win32_window_services.h"

namespace tessalander {

struct WindowScene {
  GdiSurfaceLayer surfaces;
  Win32WindowServices services;
  PuzzleScene puzzles{surfaces, services, BlockSize()};
};

WindowScene* SetUpWindowScene(HWND window, const SaverSettings& settings) {
  // malloc and placement new: the runtime's operator new would bring its
  // exception support along, which the product leaves out.
  void* memory = std::malloc(sizeof(WindowScene));
  if (memory == nullptr) return nullptr;
  auto* scene = new (memory) WindowScene;
  SetUpScene(scene->puzzles, settings, AsWindow(window));
  return scene;
}

void TickWindowScene(WindowScene& scene, HWND window) {
  TickScene(scene.puzzles, AsWindow(window));
}

void PaintWindowScene(WindowScene& scene, HWND window) {
  PaintScene(scene.puzzles, AsWindow(window));
}

void RelayoutWindowScene(WindowScene& scene, HWND window, ScreenRect place) {
  RelayoutScene(scene.puzzles, AsWindow(window), place);
}

void TearDownWindowScene(WindowScene* scene, HWND window) {
  TearDownScene(scene->puzzles, AsWindow(window));
  scene->~WindowScene();
  std::free(scene);
}

}  // namespace tessalander
