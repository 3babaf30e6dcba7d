// The engine's costly moments on memory surfaces: the tick that shuffles
// (move by move against the permutation the .scr ships), a solving tick with
// its paint, and scene set-up with a large picture.
#include <benchmark/benchmark.h>

#include "engine/animation.h"
#include "engine/memory/image_files.h"
#include "engine/memory/memory_saver.h"
#include "engine/shuffle.h"

namespace {

// Makes the next tick the one that ends the waiting phase.
void ArmShuffle(MemorySaver& saver) {
  PuzzleState& s = saver.Engine.State;
  s.MoveIndex = 0;
  s.HoleX = s.HoleY = 0;
  s.SlideOffsetX = s.SlideOffsetY = s.OriginDeltaX = s.OriginDeltaY = 0;
  s.PhaseCounter = s.PauseThreshold + 1;
}

void ShuffleTick(benchmark::State& state, ShuffleCopies copies, int32_t width, int32_t height) {
  MemorySaver saver({width, height});
  saver.SetCode("shufflenum", 4);
  saver.Create();
  saver.Engine.Copies = copies;
  for (auto _ : state) {
    ArmShuffle(saver);
    ++saver.Window.StartSeconds;  // a new walk every time
    AdvanceAnimation(saver.Engine, saver.Window.Handle());
    benchmark::DoNotOptimize(Pixels(saver.Engine.WorkSurface).Pixels.data());
  }
  state.counters["moves"] = saver.Engine.State.ShuffleCount + 1;
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

void SetUpLargePicture(benchmark::State& state) {
  const PixelSize screen{3840, 2160};
  const std::vector<uint8_t> picture = EncodeBmp(MakeTestPattern(screen.width, screen.height));
  for (auto _ : state) {
    state.PauseTiming();
    {
      auto saver = std::make_unique<MemorySaver>(screen);
      saver->Files["TessalanderImage.bmp"] = picture;
      state.ResumeTiming();
      saver->Create();
      state.PauseTiming();
      saver->Destroy();
    }
    state.ResumeTiming();
  }
}

}  // namespace

BENCHMARK_CAPTURE(ShuffleTick, MoveByMove_1920x1080, ShuffleCopies::MoveByMove, 1920, 1080)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ShuffleTick, Permutation_1920x1080, ShuffleCopies::Permutation, 1920, 1080)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ShuffleTick, MoveByMove_3840x2160, ShuffleCopies::MoveByMove, 3840, 2160)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ShuffleTick, Permutation_3840x2160, ShuffleCopies::Permutation, 3840, 2160)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SolvingTick, 1920x1080, 1920, 1080)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SolvingTick, 3840x2160, 3840, 2160)->Unit(benchmark::kMicrosecond);
BENCHMARK(SetUpLargePicture)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
