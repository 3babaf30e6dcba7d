// The engine's costly moments on memory surfaces: the tick that shuffles, the
// scramble alone (the permutation the .scr ships against the plain replay of
// the walk move by move), a solving tick with its paint, and scene set-up
// with a large picture, a small one and a desktop capture; a solving tick and
// set-up also on two 4K monitors side by side, each playing its own puzzle.
#include <benchmark/benchmark.h>

#include "engine/solve_animation.h"
#include "engine/memory/image_files.h"
#include "engine/picture_scaler.h"
#include "tools/memory_saver.h"
#include "engine/shuffle.h"
#include "engine/tests/support/move_by_move_shuffle.h"

namespace tessalander {

namespace {

// Makes the next tick the one that ends the waiting phase, for every puzzle.
void ArmShuffle(MemorySaver& saver) {
  for (int i = 0; i < saver.Scene.Count; ++i) {
    PuzzleState& s = saver.Scene.Puzzles[i].State;
    s.MoveIndex = 0;
    s.HoleX = s.HoleY = 0;
    s.SlideOffsetX = s.SlideOffsetY = s.OriginDeltaX = s.OriginDeltaY = 0;
    s.PhaseCounter = s.PauseThreshold + 1;
  }
}

// 3840 x 2160 monitors side by side, the primary first.
std::vector<ScreenRect> FourKMonitors(int count) {
  std::vector<ScreenRect> monitors;
  for (int i = 0; i < count; ++i) monitors.push_back({3840 * i, 0, 3840 * (i + 1), 2160});
  return monitors;
}

bool AnyWaiting(const MemorySaver& saver) {
  for (int i = 0; i < saver.Scene.Count; ++i) {
    if (saver.Scene.Puzzles[i].State.PhaseCounter <= 0) return true;
  }
  return false;
}

void ShuffleTick(benchmark::State& state, int32_t width, int32_t height) {
  MemorySaver saver({width, height});
  saver.SetCode("shufflenum", 4);
  saver.Create();
  for (auto _ : state) {
    ArmShuffle(saver);
    ++saver.Window.StartSeconds;  // a new walk every time
    AdvanceAnimation(saver.Engine, saver.Handle(), saver.Window.CalendarSeconds());
    benchmark::DoNotOptimize(Pixels(saver.Engine.WorkSurface).Pixels.data());
  }
  state.counters["moves"] = saver.Engine.State.ShuffleCount + 1;
}

using CopyWalk = int32_t (*)(PuzzleEngine&, int32_t, int32_t);

// The walk and the block copies that scramble WorkSurface, without the paint.
void Scramble(benchmark::State& state, CopyWalk copy, int32_t width, int32_t height) {
  MemorySaver saver({width, height});
  saver.SetCode("shufflenum", 4);
  saver.Create();
  PuzzleEngine& engine = saver.Engine;
  uint32_t seed = 1;
  int64_t copies = 0;
  for (auto _ : state) {
    engine.State.HoleX = engine.State.HoleY = 0;
    SeedRandom(engine.Random, ++seed);
    WalkEmptySlot(engine);
    copies += copy(engine, 0, 0);
    benchmark::DoNotOptimize(Pixels(engine.WorkSurface).Pixels.data());
  }
  state.counters["copies"] = benchmark::Counter(static_cast<double>(copies),
                                                benchmark::Counter::kAvgIterations);
}

// Speed 1: a block moves 1/16 of its edge per tick. With coldCaches, every
// tick starts after 64 MiB of other writes, as a tick 50 ms after the last
// may; then a tick's time follows the pixels it copies. Warm, the blocks of
// two 4K monitors no longer fit the caches together, and two cost more than
// twice one.
void SolvingTick(benchmark::State& state, const std::vector<ScreenRect>& monitors, bool coldCaches) {
  MemorySaver saver(monitors);
  saver.SetCode("shufflenum", 4);
  saver.SetCode("speed", 1);
  saver.Create();
  saver.Tick();  // the shuffle
  std::vector<uint32_t> other(coldCaches ? 16u << 20 : 0u);
  uint32_t written = 0;
  for (auto _ : state) {
    if (AnyWaiting(saver) || coldCaches) {
      state.PauseTiming();
      if (AnyWaiting(saver)) {
        ArmShuffle(saver);
        saver.Tick();
      }
      for (uint32_t& word : other) word = ++written;
      benchmark::DoNotOptimize(other.data());
      state.ResumeTiming();
    }
    saver.Tick();
  }
}

// Scene set-up on 3840 x 2160 monitors, from the window's creation to the
// scene ready for its first tick: a picture file of the screen's size, one of
// 1024 x 768 stretched to it, a small picture repeated over the screen, or a
// capture of the desktop.
enum class Source { LargePicture, StretchedPicture, SmallPicture, Desktop };

void SetUp(benchmark::State& state, Source source, int monitors) {
  const std::vector<ScreenRect> layout = FourKMonitors(monitors);
  const PixelSize screen = VirtualScreenSize(layout);
  const MemorySurface desktop = MakeTestPattern(screen.width, screen.height, 0x123456);
  const PixelSize pictureSize = source == Source::LargePicture       ? PixelSize{3840, 2160}
                                : source == Source::StretchedPicture ? PixelSize{1024, 768}
                                                                     : PixelSize{160, 90};
  const std::vector<uint8_t> picture =
      EncodeBmp(MakeTestPattern(pictureSize.width, pictureSize.height));
  for (auto _ : state) {
    state.PauseTiming();
    {
      auto saver = std::make_unique<MemorySaver>(layout, desktop);
      if (source != Source::Desktop) saver->Files["TessalanderImage.bmp"] = picture;
      state.ResumeTiming();
      saver->Create();
      state.PauseTiming();
      saver->Destroy();
    }
    state.ResumeTiming();
  }
}

// The scaler alone, from 32-bit rows as the .scr reads them, to a 3840 x
// 2160 screen or another size.
struct SourceRows final : ScalerInput {
  explicit SourceRows(const MemorySurface& s) : surface(s) {}
  const uint8_t* Row(int32_t y) override { return reinterpret_cast<const uint8_t*>(&surface.At(0, y)); }
  const MemorySurface& surface;
};

struct TargetRows final : ScalerOutput {
  explicit TargetRows(MemorySurface& s) : surface(s) {}
  uint32_t* Row(int32_t y) override { return &surface.At(0, y); }
  MemorySurface& surface;
};

void Scale(benchmark::State& state, PixelSize from, PixelSize to) {
  const MemorySurface picture = MakeTestPattern(from.width, from.height);
  MemorySurface screen(to.width, to.height);
  SourceRows input(picture);
  TargetRows output(screen);
  for (auto _ : state) {
    if (!ScalePicture(from, 4, input, to, output)) state.SkipWithError("no memory");
    benchmark::DoNotOptimize(screen.Pixels.data());
  }
}

}  // namespace

BENCHMARK_CAPTURE(Scale, Enlarge_1024x768_to_3840x2160, PixelSize{1024, 768}, PixelSize{3840, 2160})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Scale, Shrink_5120x3840_to_3840x2160, PixelSize{5120, 3840}, PixelSize{3840, 2160})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Scale, Shrink_8000x6000_to_3840x2160, PixelSize{8000, 6000}, PixelSize{3840, 2160})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Scale, Shrink_8000x6000_to_1024x768, PixelSize{8000, 6000}, PixelSize{1024, 768})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ShuffleTick, 1920x1080, 1920, 1080)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ShuffleTick, 3840x2160, 3840, 2160)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Scramble, MoveByMove_1920x1080, &CopyWalkMoveByMove, 1920, 1080)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Scramble, Permutation_1920x1080, &CopyWalkAsPermutation, 1920, 1080)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Scramble, MoveByMove_3840x2160, &CopyWalkMoveByMove, 3840, 2160)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Scramble, Permutation_3840x2160, &CopyWalkAsPermutation, 3840, 2160)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SolvingTick, 1920x1080, std::vector<ScreenRect>{{0, 0, 1920, 1080}}, false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SolvingTick, 3840x2160, FourKMonitors(1), false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SolvingTick, 2x3840x2160, FourKMonitors(2), false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SolvingTick, 3840x2160_cold, FourKMonitors(1), true)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(400);
BENCHMARK_CAPTURE(SolvingTick, 2x3840x2160_cold, FourKMonitors(2), true)
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(400);
BENCHMARK_CAPTURE(SetUp, LargePicture_3840x2160, Source::LargePicture, 1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SetUp, LargePicture_2x3840x2160, Source::LargePicture, 2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SetUp, StretchedPicture_3840x2160, Source::StretchedPicture, 1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SetUp, SmallPictureRepeated_3840x2160, Source::SmallPicture, 1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SetUp, DesktopCapture_3840x2160, Source::Desktop, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SetUp, DesktopCapture_2x3840x2160, Source::Desktop, 2)
    ->Unit(benchmark::kMillisecond);

}  // namespace tessalander

BENCHMARK_MAIN();
