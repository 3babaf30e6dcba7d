// Building the scene when the window is created: the screen's size, the
// puzzle's parameters, the picture (a BMP file or a capture of the desktop)
// spread over the screen-sized WorkSurface, with a copy of its top-left
// corner, the colour of the empty slot, and the animation timer. And taking
// it down again.
#pragma once

#include "engine/puzzle_engine.h"
#include "settings/saver_settings.h"

namespace tessalander {

// When a surface or a drawing context cannot be had, whatever was made is
// released again, no timer starts and the puzzle is left not ready.
void SetUpScene(PuzzleEngine& engine, const SaverSettings& settings, Window window);

// True when the picture is at least a sixteenth of the screen wide and its
// height lies strictly between 11/16 and 13/16 of its width (4:3 and 5:4
// pass; square, 3:2, 16:10 and 16:9 do not).
bool IsScreenShapedPicture(PuzzleEngine& engine, Picture picture);

// Spreads SourceSurface over WorkSurface from the top-left corner, repeated
// right and down and cut at the screen's edges.
void TileSourcePicture(PuzzleEngine& engine);

void TearDownScene(PuzzleEngine& engine, Window window);

}  // namespace tessalander
