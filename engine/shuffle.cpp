#include "engine/shuffle.h"

#include "engine/frame_painting.h"

namespace tessalander {

namespace {

// Remainder by 4 of a random number -> the way the slot tries to move.
constexpr uint8_t kDirectionForRemainder[4] = {HoleLeft, HoleUp, HoleRight, HoleDown};

struct Step {
  int32_t dx;
  int32_t dy;
};

// Cell offsets of the neighbour the slot moves to, by direction code.
constexpr Step StepFor(int direction) {
  switch (direction) {
    case HoleUp:
      return {0, -1};
    case HoleRight:
      return {1, 0};
    case HoleDown:
      return {0, 1};
    default:
      return {-1, 0};
  }
}

bool StaysOnGrid(const PuzzleEngine& engine, int direction) {
  const PuzzleState& s = engine.State;
  const int32_t block = engine.BlockSize;
  switch (direction) {
    case HoleUp:
      return s.HoleY - block >= 0;
    case HoleRight:
      return s.HoleX + 2 * block <= engine.ScreenWidth;
    case HoleDown:
      return s.HoleY + 2 * block <= engine.ScreenHeight;
    default:
      return s.HoleX - block >= 0;
  }
}

void CopyCell(PuzzleEngine& engine, int32_t fromX, int32_t fromY, int32_t toX, int32_t toY) {
  const int32_t block = engine.BlockSize;
  engine.Surfaces->Copy(engine.WorkSurface, toX, toY, block, block, engine.WorkSurface, fromX, fromY);
}

}  // namespace

bool GridCanBeShuffled(const PuzzleEngine& engine) {
  const Grid grid = GridFor(engine.BlockSize, engine.ScreenWidth, engine.ScreenHeight);
  return grid.columns >= 2 && grid.rows >= 2 &&
         int64_t{grid.columns} * grid.rows <= kMostShuffledCells;
}

void WalkEmptySlot(PuzzleEngine& engine) {
  PuzzleState& s = engine.State;
  const int32_t block = engine.BlockSize;
  s.MoveIndex = 0;
  while (s.MoveIndex <= s.ShuffleCount) {
    const int direction = kDirectionForRemainder[NextRandom(engine.Random) % 4];
    if (!StaysOnGrid(engine, direction)) continue;
    if (s.MoveIndex > 0 && AreOpposite(direction, s.MoveHistory[s.MoveIndex - 1])) continue;
    const Step step = StepFor(direction);
    s.HoleX += step.dx * block;
    s.HoleY += step.dy * block;
    s.MoveHistory[s.MoveIndex] = static_cast<uint8_t>(direction);
    ++s.MoveIndex;
  }
  --s.MoveIndex;
}

int32_t CopyWalkAsPermutation(PuzzleEngine& engine, int32_t startX, int32_t startY) {
  const PuzzleState& s = engine.State;
  const int32_t block = engine.BlockSize;
  if (!GridCanBeShuffled(engine)) return 0;
  const Grid grid = GridFor(block, engine.ScreenWidth, engine.ScreenHeight);
  const int32_t cells = grid.columns * grid.rows;

  // Fixed arrays, so that a shuffle can neither fail for memory nor link in
  // the runtime's throwing allocator (the Windows build has no exceptions).
  // holds[c]: the cell whose original block cell c shows after the walk. The
  // slot's own entry is stale; its square is filled afterwards anyway.
  int32_t holds[kMostShuffledCells];
  bool done[kMostShuffledCells] = {};
  for (int32_t c = 0; c < cells; ++c) holds[c] = c;
  const int32_t start = (startY / block) * grid.columns + startX / block;
  int32_t slot = start;
  for (int32_t i = 0; i <= s.MoveIndex; ++i) {
    const Step step = StepFor(s.MoveHistory[i]);
    const int32_t next = slot + step.dy * grid.columns + step.dx;
    holds[slot] = holds[next];
    slot = next;
  }

  auto copy = [&](int32_t from, int32_t to) {
    CopyCell(engine, (from % grid.columns) * block, (from / grid.columns) * block,
             (to % grid.columns) * block, (to / grid.columns) * block);
  };
  int32_t copies = 0;
  done[slot] = true;

  // The start cell's block is needed nowhere, and the final slot's square is
  // needed by nobody: the cells between them form one chain that can be
  // copied in order, each source read before it is overwritten.
  for (int32_t cell = start; cell != slot; cell = holds[cell]) {
    copy(holds[cell], cell);
    ++copies;
    done[cell] = true;
  }
  // Every other displaced block lies on a closed cycle; the final slot's
  // square, already copied out, serves as the scratch square.
  for (int32_t first = 0; first < cells; ++first) {
    if (done[first]) continue;
    done[first] = true;
    if (holds[first] == first) continue;
    copy(first, slot);
    ++copies;
    int32_t cell = first;
    while (holds[cell] != first) {
      copy(holds[cell], cell);
      ++copies;
      cell = holds[cell];
      done[cell] = true;
    }
    copy(slot, cell);
    ++copies;
  }
  return copies;
}

void ShufflePuzzle(PuzzleEngine& engine, Window window, int64_t calendarSeconds) {
  PuzzleState& s = engine.State;
  const int32_t block = engine.BlockSize;
  SeedRandom(engine.Random, static_cast<uint32_t>(calendarSeconds) + engine.SeedOffset);

  const bool scramble = GridCanBeShuffled(engine);
  if (scramble) {
    const int32_t startX = s.HoleX;
    const int32_t startY = s.HoleY;
    WalkEmptySlot(engine);
    CopyWalkAsPermutation(engine, startX, startY);
    engine.Surfaces->Fill(engine.WorkSurface, s.HoleX, s.HoleY, block, block);
  }

  engine.Shown = true;
  Canvas context = engine.Services->WindowContext(window);
  if (context != nullptr) {
    RepaintPuzzle(engine, context);
    engine.Services->ReleaseWindowContext(window, context);
  }

  if (scramble) {
    s.SlideOffsetX = block;
    s.PhaseCounter = 1;
  } else {
    // Nothing to solve: the whole picture stays up for another waiting phase.
    s.MoveIndex = 0;
    s.PhaseCounter = 0;
  }
}

}  // namespace tessalander
