// The four window messages the engine acts on, by their Win32 numbers, and
// the dispatch that the .scr's window procedure and the simulated window in
// the tests and tools share.
#pragma once

#include <cstdint>

#include "engine/puzzle_engine.h"

enum EngineMessage : uint32_t {
  kMessageCreate = 0x0001,   // WM_CREATE
  kMessageDestroy = 0x0002,  // WM_DESTROY
  kMessagePaint = 0x000F,    // WM_PAINT
  kMessageTimer = 0x0113,    // WM_TIMER, whatever the timer's id
};

// Runs the engine's share of a message; any other message is left alone.
void DispatchEngineMessage(PuzzleEngine& engine, Window window, uint32_t message);
