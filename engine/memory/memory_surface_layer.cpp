#include "engine/memory/memory_surface_layer.h"

#include <bit>
#include <cstring>

#include "engine/dither.h"
#include "engine/memory/image_files.h"
#include "engine/picture_scaler.h"
#include "engine/puzzle_engine.h"

namespace tessalander {

MemorySurface* MemorySurfaceLayer::Adopt(MemorySurface surface) {
  auto owned = std::make_unique<MemorySurface>(std::move(surface));
  MemorySurface* raw = owned.get();
  live_.emplace(raw, std::move(owned));
  return raw;
}

bool MemorySurfaceLayer::Refuses() { return RefusedSurfaces.count(++asked_) != 0; }

Picture MemorySurfaceLayer::LoadPicture(const char* path) {
  loads_.push_back(path == nullptr ? std::string() : std::string(path));
  std::vector<uint8_t> bytes;
  // As in the .scr, a path that does not fit the picture name's buffer is no
  // picture (the in-memory files have no current directory to resolve against).
  if (path == nullptr || std::strlen(path) >= kPictureNameSize || !reader_(path, bytes)) return nullptr;
  std::optional<MemorySurface> picture = DecodeBmp(bytes);
  if (!picture) return nullptr;
  return AsPicture(Adopt(std::move(*picture)));
}

bool MemorySurfaceLayer::PictureSize(Picture picture, PixelSize* size) {
  MemorySurface* surface = AsSurface(picture);
  if (live_.count(surface) == 0) return false;
  *size = {surface->Width, surface->Height};
  return true;
}

void MemorySurfaceLayer::ReleasePicture(Picture picture) { live_.erase(AsSurface(picture)); }

namespace {

// A surface takes the palette of the context it is made on.
PaletteKind PaletteOf(Canvas reference) {
  return reference != nullptr ? AsSurface(reference)->Palette : PaletteKind::Default;
}

// Every row, whole, in place: as the .scr dithers a picture drawn at its own
// size on its way through the scaler, before anything is cut at the edges.
bool DitherPixels(MemorySurface& surface) {
  PaletteDither dither(surface.Width);
  if (!dither.Ready()) return false;
  for (int32_t y = 0; y < surface.Height; ++y) dither.Row(&surface.At(0, y));
  return true;
}

}  // namespace

Canvas MemorySurfaceLayer::MakeSurface(Canvas reference, int32_t width, int32_t height) {
  if (Refuses()) return nullptr;
  // New bitmaps come out black, as they do from GDI in practice.
  MemorySurface surface(width, height);
  surface.Palette = PaletteOf(reference);
  return AsCanvas(Adopt(std::move(surface)));
}

Canvas MemorySurfaceLayer::MakePictureSurface(Canvas reference, Picture picture) {
  if (Refuses()) {
    ReleasePicture(picture);
    return nullptr;
  }
  MemorySurface* surface = AsSurface(picture);
  if (live_.count(surface) == 0) return AsCanvas(Adopt(MemorySurface()));
  // As GDI draws the picture into a surface of the palette's colours.
  surface->Palette = PaletteOf(reference);
  if (surface->Palette == PaletteKind::Saver && !DitherPixels(*surface)) {
    ReleasePicture(picture);
    return nullptr;
  }
  return AsCanvas(surface);
}

namespace {

// A surface's rows as the scaler reads and writes them: a pixel 0x00RRGGBB
// lies in memory as blue, green, red, 0 on the little-endian machines the
// tools run on.
static_assert(std::endian::native == std::endian::little);

struct SurfaceInput final : ScalerInput {
  explicit SurfaceInput(const MemorySurface& s) : surface(s) {}
  const uint8_t* Row(int32_t y) override {
    return reinterpret_cast<const uint8_t*>(&surface.At(0, y));
  }
  const MemorySurface& surface;
};

struct SurfaceOutput final : ScalerOutput {
  explicit SurfaceOutput(MemorySurface& s) : surface(s) {}
  uint32_t* Row(int32_t y) override { return &surface.At(0, y); }
  MemorySurface& surface;
};

}  // namespace

bool MemorySurfaceLayer::DrawPicture(Canvas dest, int32_t width, int32_t height, Picture picture) {
  MemorySurface* target = AsSurface(dest);
  const MemorySurface* source = AsSurface(picture);
  if (target == nullptr || live_.count(AsSurface(picture)) == 0) return false;
  const bool dithered = target->Palette == PaletteKind::Saver;
  if (width == source->Width && height == source->Height) {
    if (!dithered) {
      CopyPixels(*target, 0, 0, width, height, *source, 0, 0);
      return true;
    }
    MemorySurface copy = *source;
    if (!DitherPixels(copy)) return false;
    CopyPixels(*target, 0, 0, width, height, copy, 0, 0);
    return true;
  }
  ++Scalings;
  if (RefuseScaling || width > target->Width || height > target->Height) return false;
  SurfaceInput input(*source);
  SurfaceOutput output(*target);
  if (!dithered) return ScalePicture({source->Width, source->Height}, 4, input, {width, height}, output);
  DitheringOutput dithering(output, width);
  const bool drawn = dithering.Ready() &&
                     ScalePicture({source->Width, source->Height}, 4, input, {width, height}, dithering);
  dithering.Finish();
  return drawn;
}

bool MemorySurfaceLayer::SurfaceSize(Canvas canvas, PixelSize* size) {
  MemorySurface* surface = AsSurface(canvas);
  if (surface == nullptr) return false;
  *size = {surface->Width, surface->Height};
  return true;
}

void MemorySurfaceLayer::ReleaseSurface(Canvas canvas) { live_.erase(AsSurface(canvas)); }

void MemorySurfaceLayer::Copy(Canvas dest, int32_t x, int32_t y, int32_t width, int32_t height,
                              Canvas source, int32_t sourceX, int32_t sourceY) {
  if (dest == nullptr || source == nullptr) return;
  CopyPixels(*AsSurface(dest), x, y, width, height, *AsSurface(source), sourceX, sourceY);
}

void MemorySurfaceLayer::SelectBrush(Canvas canvas, Brush brush) {
  if (canvas != nullptr) AsSurface(canvas)->SelectedBrush = brush;
}

void MemorySurfaceLayer::UsePalette(Canvas window, PaletteKind kind, bool background) {
  if (!PaletteDisplay || window == nullptr) return;
  AsSurface(window)->Palette = kind;
  AsSurface(window)->PaletteInBackground = background;
}

void MemorySurfaceLayer::Fill(Canvas canvas, int32_t x, int32_t y, int32_t width, int32_t height) {
  if (canvas == nullptr) return;
  MemorySurface& surface = *AsSurface(canvas);
  FillPixels(surface, x, y, width, height, BrushColour(surface.SelectedBrush));
}

}  // namespace tessalander
