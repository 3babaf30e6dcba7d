// A surface as a plain buffer of 32-bit pixels (0x00RRGGBB), with the brush
// selected in its context, and the two drawing operations the engine uses,
// behaving as GDI's do: rectangle copies clipped to both images and correct
// when they overlap within one, and fills with the selected brush.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/surface_layer.h"

namespace tessalander {

struct MemorySurface {
  MemorySurface() = default;
  MemorySurface(int32_t width, int32_t height, uint32_t colour = 0);

  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<uint32_t> Pixels;
  Brush SelectedBrush = Brush::White;
  // The palette selected into its context, on a display of 256 colours, and
  // whether it was realised in the background.
  PaletteKind Palette = PaletteKind::Default;
  bool PaletteInBackground = false;
  // The context's coordinates of pixel (0, 0): (0, 0) but for a display
  // context in screen coordinates, as Windows' is, whose pixel (0, 0) is the
  // virtual screen's corner.
  int32_t OriginX = 0;
  int32_t OriginY = 0;

  const uint32_t& At(int32_t x, int32_t y) const {
    return Pixels[static_cast<std::size_t>(y) * Width + x];
  }
  uint32_t& At(int32_t x, int32_t y) { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
};

inline constexpr uint32_t kBlack = 0x000000;
inline constexpr uint32_t kWhite = 0xFFFFFF;

inline constexpr uint32_t BrushColour(Brush brush) {
  return brush == Brush::Black ? kBlack : kWhite;
}

// The memory back-ends hand out canvases and pictures that are surfaces.
inline Canvas AsCanvas(MemorySurface* surface) { return reinterpret_cast<Canvas>(surface); }
inline MemorySurface* AsSurface(Canvas canvas) { return reinterpret_cast<MemorySurface*>(canvas); }
inline Picture AsPicture(MemorySurface* surface) { return reinterpret_cast<Picture>(surface); }
inline MemorySurface* AsSurface(Picture picture) { return reinterpret_cast<MemorySurface*>(picture); }

void CopyPixels(MemorySurface& dest, int32_t x, int32_t y, int32_t width, int32_t height,
                const MemorySurface& source, int32_t sourceX, int32_t sourceY);
void FillPixels(MemorySurface& surface, int32_t x, int32_t y, int32_t width, int32_t height,
                uint32_t colour);

}  // namespace tessalander
