// The palettes of the GDI surface layer on a display of 256 colours: the
// saver's own (engine/palette.h) and a copy of the system palette as it is,
// selected into the window's own context and into every surface made on it.
// A surface made on a context that holds a palette is an 8-bit DIB section
// whose colours are the palette's: its pixels keep their colours whatever
// the system palette does meanwhile, and are mapped to it afresh at each
// copy to the screen.
#pragma once

#include <windows.h>

#include "engine/surface_layer.h"

namespace tessalander {

// RASTERCAPS has RC_PALETTE, at 8 bits per pixel.
bool IsPaletteDevice(HDC dc);

// Selects a palette of the kind into the window's context and realises it,
// in the background when asked, and deletes the one it held; on other
// devices nothing. When the palette cannot be made, the context keeps the
// one it has.
void UseContextPalette(HDC window, PaletteKind kind, bool background);

// The palette a context holds, when it is not the default one; nullptr else.
HPALETTE ContextPalette(HDC dc);

// True when the palette holds the saver's colours, to which pictures drawn
// with it are dithered.
bool IsSaverPalette(HPALETTE palette);

// The screen is a palette device.
bool ScreenHasPalette();

// Selects into `dc`, a new memory context made on the palette's context, a
// bitmap of the palette's colours (at least 1 x 1) and the palette, and
// realises it. False, with neither left selected, when they cannot be had.
bool SelectPaletteSurface(HDC dc, HPALETTE palette, int32_t width, int32_t height);

}  // namespace tessalander
