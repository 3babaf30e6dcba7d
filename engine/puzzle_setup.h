// Building one puzzle when the window is created: its monitor's size, the
// puzzle's parameters, the picture (a BMP file or a capture of the desktop)
// spread over the monitor-sized WorkSurface, with a copy of its top-left
// corner, and the colour of the empty slot. And taking it down again. The
// scene of all the window's puzzles (scene.h) sets each one up.
#pragma once

#include "engine/puzzle_areas.h"
#include "engine/puzzle_engine.h"
#include "settings/saver_settings.h"

namespace tessalander {

// The picture file every puzzle of the window shows, read once for all of
// them at its own size, so that they all show the same file however it
// changes meanwhile. No picture: each puzzle captures its part of the desktop.
struct ScenePicture {
  Picture picture = nullptr;
  // Set while the last puzzle to show it is set up: a picture of that
  // puzzle's size then becomes its WorkSurface as it is, without a copy.
  bool lastUse = false;
};

// The default file when it loads, whatever the settings say; else, with
// `getimage` naming a bitmap, the file named by `bmpfile`. A picture without a
// readable, positive size counts as none.
ScenePicture LoadScenePicture(SurfaceLayer& surfaces, const SaverSettings& settings);
void ReleaseScenePicture(SurfaceLayer& surfaces, ScenePicture& picture);

// For a monitor that the saver's window already covers, where a capture of
// the desktop would copy the saver itself: the picture the monitor showed
// before, taken over by the set-up (nullptr: none, the monitor stays black).
struct KeptPicture {
  Canvas surface = nullptr;
};

// Sets the puzzle up to play in the area, with the scene's picture. When a
// surface or a drawing context cannot be had, whatever was made is released
// again and the puzzle is left not ready. Without a picture file, a kept
// picture stands in for the desktop.
void SetUpPuzzle(PuzzleEngine& engine, const SaverSettings& settings, Window window,
                const PuzzleArea& area, ScenePicture& picture, KeptPicture* kept = nullptr);

// True when the picture is at least a sixteenth of the screen wide and its
// height lies strictly between 11/16 and 13/16 of its width (4:3 and 5:4
// pass; square, 3:2, 16:10 and 16:9 do not).
bool IsScreenShapedPicture(PuzzleEngine& engine, Picture picture);

// Spreads SourceSurface over WorkSurface from the top-left corner, repeated
// right and down and cut at the screen's edges.
void TileSourcePicture(PuzzleEngine& engine);

// Releases the puzzle's surfaces.
void TearDownPuzzle(PuzzleEngine& engine);

}  // namespace tessalander
