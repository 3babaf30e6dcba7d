// The drawing services the engine needs, and nothing more: surfaces (an
// off-screen image with its own drawing context), pictures loaded from BMP
// files, rectangle copies and fills. The .scr implements them with GDI; the
// tests and tools with plain pixel buffers.
#pragma once

#include <cstdint>

#include "common/animation.h"

namespace tessalander {

// A Canvas (common/animation.h) is a drawing target and source: a surface,
// the window's own context, or the whole display.

// A bitmap that no canvas holds yet.
struct PictureObject;
using Picture = PictureObject*;

// The two stock brushes the engine paints the empty slot with. A fresh
// canvas has the white one selected, as a new drawing context does.
enum class Brush : uint8_t { White, Black };

// The palette a window's context holds on a display of 256 colours (a
// palette device); elsewhere there is none.
enum class PaletteKind : uint8_t {
  // The context's default palette: the static colours alone.
  Default,
  // The saver's own (engine/palette.h), to whose colours pictures are
  // dithered.
  Saver,
  // The system palette's colours as they are when it is made, each in its
  // place, so that what a capture of the display copied keeps its colours.
  Captured,
};

struct PixelSize {
  int32_t width = 0;
  int32_t height = 0;
};

struct SurfaceLayer {
  // A BMP file at its own size; nullptr when the file is missing, unreadable
  // or no BMP, or when its full path would not fit kPictureNameSize.
  virtual Picture LoadPicture(const char* path) = 0;
  // False when the size cannot be read.
  virtual bool PictureSize(Picture picture, PixelSize* size) = 0;
  // For a picture that was never put into a surface.
  virtual void ReleasePicture(Picture picture) = 0;

  // A surface of the given size in the reference canvas's pixel format; its
  // contents are undefined. nullptr when it cannot be made (out of memory or
  // of drawing resources); nothing is left behind then.
  virtual Canvas MakeSurface(Canvas reference, int32_t width, int32_t height) = 0;
  // A surface holding the picture, which it owns from then on: when the
  // surface cannot be made, the picture is released and nullptr returned.
  virtual Canvas MakePictureSurface(Canvas reference, Picture picture) = 0;
  // Puts the picture, which stays the caller's, into dest's top-left corner:
  // copied, cut at dest's edges, when width x height is its own size; else
  // fitted to width x height (no larger than dest) by ScalePicture
  // (engine/picture_scaler.h). False when it could not be drawn, for want of
  // memory or drawing resources.
  virtual bool DrawPicture(Canvas dest, int32_t width, int32_t height, Picture picture) = 0;
  // The size of the image a surface holds; false when it cannot be read.
  virtual bool SurfaceSize(Canvas surface, PixelSize* size) = 0;
  // Releases the surface's context, then its image.
  virtual void ReleaseSurface(Canvas surface) = 0;

  // Copies width x height from source at (sourceX, sourceY) to dest at
  // (x, y), clipped to both canvases; correct when source and dest are the
  // same canvas and the rectangles overlap.
  virtual void Copy(Canvas dest, int32_t x, int32_t y, int32_t width, int32_t height,
                    Canvas source, int32_t sourceX, int32_t sourceY) = 0;
  // The brush stays selected in the canvas until another is selected.
  virtual void SelectBrush(Canvas canvas, Brush brush) = 0;
  // Fills a rectangle with the canvas's selected brush.
  virtual void Fill(Canvas canvas, int32_t x, int32_t y, int32_t width, int32_t height) = 0;

  // On a display of 256 colours: selects a palette of that kind into the
  // window's own context and realises it, in the background when asked (a
  // child window, whose parent owns the foreground: its colours are then
  // mapped to those the display already shows), releasing the one it held.
  // Every surface made on that context from then on holds the same palette,
  // and a picture drawn into one that holds the saver's is dithered to it
  // (engine/dither.h). Elsewhere it does nothing, and nothing changes.
  virtual void UsePalette(Canvas window, PaletteKind kind, bool background) = 0;

 protected:
  ~SurfaceLayer() = default;
};

}  // namespace tessalander
