#include "tools/memory_saver.h"

#include <cstring>

#include "engine/geometry.h"
#include "engine/memory/image_files.h"

namespace tessalander {

namespace {

MemorySurface DesktopOrPattern(PixelSize screen, MemorySurface desktop) {
  if (desktop.Width > 0) return desktop;
  return MakeTestPattern(screen.width, screen.height, 0x5A3C96);
}

}  // namespace

MemorySaver::MemorySaver(PixelSize screen, MemorySurface desktop, int32_t blockSize)
    : MemorySaver(std::vector<ScreenRect>{{0, 0, screen.width, screen.height}}, std::move(desktop),
                  blockSize) {}

MemorySaver::MemorySaver(const std::vector<ScreenRect>& monitors, MemorySurface desktop)
    : MemorySaver(monitors, std::move(desktop), -1) {}

MemorySaver::MemorySaver(const std::vector<ScreenRect>& monitors, MemorySurface desktop,
                         int32_t blockSize)
    : Reader([this](const std::string& path, std::vector<uint8_t>& bytes) {
        const auto file = Files.find(path);
        if (file == Files.end()) return false;
        bytes = file->second;
        return true;
      }),
      Window(monitors, DesktopOrPattern(VirtualScreenSize(monitors), std::move(desktop))),
      Surfaces(std::make_unique<MemorySurfaceLayer>(
          [this](const std::string& path, std::vector<uint8_t>& bytes) {
            return Reader(path, bytes);
          })),
      Scene(*Surfaces, Window,
            blockSize >= 0 ? blockSize : BlockSizeForScreenWidth(Window.Screen.width)),
      Engine(Scene.Primary) {}

void MemorySaver::SetCode(const char* name, uint32_t code) {
  Registry.PutDword(kSettingsKeyPath, name, code);
}

void MemorySaver::SetText(const char* name, const std::string& text) {
  std::vector<uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  Registry.Put(kSettingsKeyPath, name, kRegSz, std::move(data));
}

void MemorySaver::Create() {
  SetUpScene(Scene, ReadSaverSettings(Store), Window.Handle());
  if (Window.Invalid) Paint();
}

void MemorySaver::Tick() {
  Window.ElapsedMs += kAnimationPeriodMs;
  ++Ticks;
  TickScene(Scene, Window.Handle());
  if (Window.Invalid) Paint();
}

void MemorySaver::ChangeDisplay(const std::vector<ScreenRect>& monitors, MemorySurface desktop) {
  Window.ChangeMonitors(monitors, DesktopOrPattern(VirtualScreenSize(monitors), std::move(desktop)));
  RelayoutScene(Scene, Window.Handle(), Window.VirtualScreen);
  Window.MoveTo(Window.VirtualScreen);
  Paint();
}

void MemorySaver::Paint() { PaintScene(Scene, Window.Handle()); }

void MemorySaver::Destroy() { TearDownScene(Scene, Window.Handle()); }

const MemorySurface& Pixels(Canvas canvas) { return *AsSurface(canvas); }

}  // namespace tessalander
