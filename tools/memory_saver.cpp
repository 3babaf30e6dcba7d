#include "tools/memory_saver.h"

#include "engine/memory/image_files.h"
#include "host/saver_window_rules.h"

namespace tessalander {

namespace {

MemorySurface DesktopOrPattern(PixelSize screen, MemorySurface desktop) {
  if (desktop.Width > 0) return desktop;
  return MakeTestPattern(screen.width, screen.height, 0x5A3C96);
}

MemorySaver& SaverOf(Window window) { return *reinterpret_cast<MemorySaver*>(window); }

Scene* SetUp(Window window) {
  MemorySaver& saver = SaverOf(window);
  SetUpScene(saver.Scene, ReadSaverSettings(saver.Store), window);
  return &saver.Scene;
}

}  // namespace

const Animation MemoryAnimation = {&SetUp, &TickScene, &PaintScene, &RelayoutScene, &TearDownScene};

MemorySaver::MemorySaver(PixelSize screen, MemorySurface desktop)
    : MemorySaver(std::vector<ScreenRect>{{0, 0, screen.width, screen.height}}, std::move(desktop)) {}

MemorySaver::MemorySaver(const std::vector<ScreenRect>& monitors, MemorySurface desktop)
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
      Scene(*Surfaces, Window),
      Engine(Scene.Puzzles[0]) {}

void MemorySaver::SetCode(const char* name, uint32_t code) {
  Registry.PutDword(kSettingsKeyPath, name, code);
}

void MemorySaver::SetText(const char* name, const std::string& text) {
  std::vector<uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  Registry.Put(kSettingsKeyPath, name, kRegSz, std::move(data));
}

void MemorySaver::FollowScene() {
  TimerOn = TimerRuns(&Scene, Flags);
  PaintAsked = PaintAsked || TimerOn;
}

void MemorySaver::Create() {
  TimerOn = true;
  MemoryAnimation.SetUp(Handle());
  FollowScene();
  if (PaintAsked) Paint();
}

void MemorySaver::Tick() {
  Window.ElapsedMs += kAnimationPeriodMs;
  ++Ticks;
  if (TimerOn) MemoryAnimation.Tick(&Scene, Handle());
  if (PaintAsked) Paint();
}

void MemorySaver::ChangeDisplay(const std::vector<ScreenRect>& monitors, MemorySurface desktop) {
  Window.ChangeMonitors(monitors, DesktopOrPattern(VirtualScreenSize(monitors), std::move(desktop)));
  TimerOn = true;
  MemoryAnimation.Relayout(&Scene, Handle(), Window.VirtualScreen);
  Window.MoveTo(Window.VirtualScreen);
  FollowScene();
  Paint();
}

// BeginPaint's context is the window's own; without one the paint only
// validates the window.
void MemorySaver::Paint() {
  if (!Window.RefuseContexts) MemoryAnimation.Paint(&Scene, AsCanvas(&Window.Client));
  PaintAsked = false;
  ++Paints;
}

void MemorySaver::SetDisplayOn(bool on) {
  Flags.DisplayOff = !on;
  TimerOn = TimerRuns(&Scene, Flags);
}

void MemorySaver::Destroy() {
  TimerOn = false;
  MemoryAnimation.TearDown(&Scene);
}

const MemorySurface& Pixels(Canvas canvas) { return *AsSurface(canvas); }

}  // namespace tessalander
