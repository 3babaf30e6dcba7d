// The engine's costly moments on memory surfaces: the tick that shuffles, the
// scramble alone (the permutation the .scr ships against the plain replay of
// the walk move by move), a solving tick with its paint, and scene set-up
// with a large picture, a small one and a desktop capture.
#include <benchmark/benchmark.h>

#include "engine/animation.h"
#include "engine/memory/image_files.h"
#include "engine/memory/memory_saver.h"
#include "engine/shuffle.h"
#include "engine/tests/support/move_by_move_shuffle.h"

namespace tessalander {

namespace {

// Makes the next tick the one that ends the waiting phase.
void ArmShuffle(MemorySaver& saver) {
  PuzzleState& s = saver.Engine.State;
  s.MoveIndex = 0;
  s.HoleX = s.HoleY = 0;
  s.SlideOffsetX = s.SlideOffsetY = s.OriginDeltaX = s.OriginDeltaY = 0;
  s.PhaseCounter = s.PauseThreshold + 1;
}

void ShuffleTick(benchmark::State& state, int32_t width, int32_t height) {
  MemorySaver saver({width, height});
  saver.SetCode("shufflenum", 4);
  saver.Create();
  for (auto _ : state) {
    ArmShuffle(saver);
    ++saver.Window.StartSeconds;  // a new walk every time
    AdvanceAnimation(saver.Engine, saver.Window.Handle());
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

void SolvingTick(benchmark::State& state, int32_t width, int32_t height) {
  MemorySaver saver({width, height});
  saver.SetCode("shufflenum", 4);
  saver.SetCode("speed", 1);
  saver.Create();
  saver.Tick();  // the shuffle
  for (auto _ : state) {
    if (saver.Engine.State.PhaseCounter <= 0) {
      state.PauseTiming();
      ArmShuffle(saver);
      saver.Tick();
      state.ResumeTiming();
    }
    saver.Tick();
  }
}

// Scene set-up on a 3840 x 2160 screen, from the window's creation to the
// scene ready for its first tick: a picture file of the screen's size, a
// small picture repeated over the screen, or a capture of the desktop.
enum class Source { LargePicture, SmallPicture, Desktop };

void SetUp(benchmark::State& state, Source source) {
  const PixelSize screen{3840, 2160};
  const MemorySurface desktop = MakeTestPattern(screen.width, screen.height, 0x123456);
  const std::vector<uint8_t> picture =
      source == Source::LargePicture ? EncodeBmp(MakeTestPattern(screen.width, screen.height))
                                     : EncodeBmp(MakeTestPattern(160, 90));
  for (auto _ : state) {
    state.PauseTiming();
    {
      auto saver = std::make_unique<MemorySaver>(screen, desktop);
      if (source != Source::Desktop) saver->Files["TessalanderImage.bmp"] = picture;
      state.ResumeTiming();
      saver->Create();
      state.PauseTiming();
      saver->Destroy();
    }
    state.ResumeTiming();
  }
}

}  // namespace

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
BENCHMARK_CAPTURE(SolvingTick, 1920x1080, 1920, 1080)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SolvingTick, 3840x2160, 3840, 2160)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SetUp, LargePicture_3840x2160, Source::LargePicture)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SetUp, SmallPictureRepeated_3840x2160, Source::SmallPicture)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SetUp, DesktopCapture_3840x2160, Source::Desktop)->Unit(benchmark::kMillisecond);

}  // namespace tessalander

BENCHMARK_MAIN();
