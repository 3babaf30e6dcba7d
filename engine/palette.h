// The saver's own palette for displays of 256 colours, and which palette a
// window uses there. Its colours are ones every Windows shows the same: the
// 20 static colours that the system keeps in its palette whatever programs
// realise (the default palette's), a colour cube of 6 levels a channel (0,
// 51, ..., 255) and greys. A halftone palette would do as well, but its
// entries differ from one version of Windows to the next, and pictures are
// dithered to these (engine/dither.h).
//
// GDI matches a colour to a palette at 5 bits a channel (it looks for the
// entry nearest to the middle of the colour's step of 8 levels; Wine's notes
// say so of Windows, and Wine does the same), so no two of the palette's
// colours may lie in one such step, or one of them could never be drawn:
// the greys lie in the middle of each step of 8 grey levels that holds no
// static or cube colour already.
#pragma once

#include <array>
#include <cstdint>

#include "engine/surface_layer.h"

namespace tessalander {

inline constexpr int kStaticColourCount = 20;
inline constexpr int kCubeEntryCount = 208;  // the cube's 216 less the 8 static corners
inline constexpr int kGreyEntryCount = 23;
// No two entries are equal, and the 231 that are not static need places
// among the 236 that the system palette keeps free.
inline constexpr int kSaverPaletteSize = kStaticColourCount + kCubeEntryCount + kGreyEntryCount;

// The entries in the logical palette's order, as 0x00RRGGBB: the first ten
// static colours, the cube (red slowest), the greys (darkest first), the
// last ten static colours, as the system palette orders its static ones.
extern const std::array<uint32_t, kSaverPaletteSize> kSaverPalette;
inline constexpr int kFirstCubeEntry = kStaticColourCount / 2;
inline constexpr int kFirstGreyEntry = kFirstCubeEntry + kCubeEntryCount;

// The cube's step between levels.
inline constexpr int32_t kCubeStep = 51;

// What a window's context holds on a display of 256 colours.
struct PaletteUse {
  PaletteKind kind = PaletteKind::Default;
  bool background = false;
};

// A picture is shown with the saver's palette, realised in the background in
// the preview, whose parent (the display settings) owns the foreground. A
// capture of the desktop keeps the colours it captured: the full-screen
// window holds them where the system palette has them, and the preview
// leaves the system palette alone.
PaletteUse ChoosePalette(bool pictureFile, bool preview);

}  // namespace tessalander
