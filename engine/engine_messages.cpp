#include "engine/engine_messages.h"

#include "engine/animation.h"
#include "engine/frame_painting.h"
#include "engine/scene.h"

void DispatchEngineMessage(PuzzleEngine& engine, Window window, uint32_t message) {
  switch (message) {
    case kMessageCreate:
      SetUpScene(engine, window);
      break;
    case kMessageDestroy:
      TearDownScene(engine, window);
      break;
    case kMessagePaint:
      PaintFrame(engine, window);
      break;
    case kMessageTimer:
      AdvanceAnimation(engine, window);
      break;
    default:
      break;
  }
}
