#include "engine/memory/memory_saver.h"

#include <cstring>

#include "engine/animation.h"
#include "engine/frame_painting.h"
#include "engine/geometry.h"
#include "engine/memory/image_files.h"
#include "engine/scene.h"

namespace tessalander {

namespace {

MemorySurface DesktopOrPattern(PixelSize screen, MemorySurface desktop) {
  if (desktop.Width > 0) return desktop;
  return MakeTestPattern(screen.width, screen.height, 0x5A3C96);
}

}  // namespace

MemorySaver::MemorySaver(PixelSize screen, MemorySurface desktop, int32_t blockSize)
    : Reader([this](const std::string& path, std::vector<uint8_t>& bytes) {
        const auto file = Files.find(path);
        if (file == Files.end()) return false;
        bytes = file->second;
        return true;
      }),
      Window(screen, DesktopOrPattern(screen, std::move(desktop))),
      Surfaces(std::make_unique<MemorySurfaceLayer>(
          [this](const std::string& path, std::vector<uint8_t>& bytes) {
            return Reader(path, bytes);
          })),
      Engine(*Surfaces, Window, blockSize >= 0 ? blockSize : BlockSizeForScreenWidth(screen.width)) {}

void MemorySaver::SetCode(const char* name, uint32_t code) {
  Registry.PutDword(kSettingsKeyPath, name, code);
}

void MemorySaver::SetText(const char* name, const std::string& text) {
  std::vector<uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  Registry.Put(kSettingsKeyPath, name, kRegSz, std::move(data));
}

void MemorySaver::Create() {
  SetUpScene(Engine, ReadSaverSettings(Store), Window.Handle());
  if (Window.Invalid) Paint();
}

void MemorySaver::Tick() {
  Window.ElapsedMs += kAnimationPeriodMs;
  ++Ticks;
  AdvanceAnimation(Engine, Window.Handle());
  if (Window.Invalid) Paint();
}

void MemorySaver::Paint() { PaintFrame(Engine, Window.Handle()); }

void MemorySaver::Destroy() { TearDownScene(Engine, Window.Handle()); }

const MemorySurface& Pixels(Canvas canvas) { return *AsSurface(canvas); }

}  // namespace tessalander
