#include "engine/memory/memory_saver.h"

#include <cstring>

#include "engine/engine_messages.h"
#include "engine/geometry.h"
#include "engine/memory/image_files.h"

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
      Engine(*Surfaces, Window, Store,
             blockSize >= 0 ? blockSize : BlockSizeForScreenWidth(screen.width)) {}

void MemorySaver::SetCode(const char* name, uint32_t code) {
  Registry.PutDword(kSettingsKeyPath, name, code);
}

void MemorySaver::SetText(const char* name, const std::string& text) {
  std::vector<uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  Registry.Put(kSettingsKeyPath, name, kRegSz, std::move(data));
}

void MemorySaver::Create() {
  DispatchEngineMessage(Engine, Window.Handle(), kMessageCreate);
  if (Window.Invalid) Paint();
}

void MemorySaver::Tick() {
  Window.ElapsedMs += kAnimationPeriodMs;
  ++Ticks;
  DispatchEngineMessage(Engine, Window.Handle(), kMessageTimer);
  if (Window.Invalid) Paint();
}

void MemorySaver::Paint() { DispatchEngineMessage(Engine, Window.Handle(), kMessagePaint); }

void MemorySaver::Destroy() { DispatchEngineMessage(Engine, Window.Handle(), kMessageDestroy); }

const MemorySurface& Pixels(Canvas canvas) { return *AsSurface(canvas); }
