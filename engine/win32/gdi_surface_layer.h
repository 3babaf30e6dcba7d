// The surface layer on GDI: a surface is a memory device context with a
// compatible bitmap selected into it; a picture is a DIB section that the
// layer reads a 16-, 24- or 32-bit BMP file into, which the scaler reads in
// place, or the bitmap LoadImageA makes of any other, which it reads through
// GetDIBits; the brushes are the stock black and white ones. On a display of
// 256 colours the window's context and the surfaces made on it hold a
// palette (gdi_palette.h).
#pragma once

#include <windows.h>

#include "common/win32/handles.h"
#include "engine/surface_layer.h"

namespace tessalander {

class GdiSurfaceLayer final : public SurfaceLayer {
 public:
  Picture LoadPicture(const char* path) override;
  bool PictureSize(Picture picture, PixelSize* size) override;
  void ReleasePicture(Picture picture) override;
  Canvas MakeSurface(Canvas reference, int32_t width, int32_t height) override;
  Canvas MakePictureSurface(Canvas reference, Picture picture) override;
  bool DrawPicture(Canvas dest, int32_t width, int32_t height, Picture picture) override;
  bool SurfaceSize(Canvas surface, PixelSize* size) override;
  void ReleaseSurface(Canvas surface) override;
  void Copy(Canvas dest, int32_t x, int32_t y, int32_t width, int32_t height, Canvas source,
            int32_t sourceX, int32_t sourceY) override;
  void SelectBrush(Canvas canvas, Brush brush) override;
  void Fill(Canvas canvas, int32_t x, int32_t y, int32_t width, int32_t height) override;
  void UsePalette(Canvas window, PaletteKind kind, bool background) override;
};

}  // namespace tessalander
