#include "engine/memory/memory_surface_layer.h"

#include "engine/memory/image_files.h"

namespace tessalander {

MemorySurface* MemorySurfaceLayer::Adopt(MemorySurface surface) {
  auto owned = std::make_unique<MemorySurface>(std::move(surface));
  MemorySurface* raw = owned.get();
  live_.emplace(raw, std::move(owned));
  return raw;
}

bool MemorySurfaceLayer::Refuses() { return RefusedSurfaces.count(++asked_) != 0; }

Picture MemorySurfaceLayer::LoadPicture(const char* path, int32_t width, int32_t height) {
  loads_.push_back({path == nullptr ? std::string() : std::string(path), width, height});
  std::vector<uint8_t> bytes;
  if (path == nullptr || !reader_(path, bytes)) return nullptr;
  std::optional<MemorySurface> picture = DecodeBmp(bytes);
  if (!picture) return nullptr;
  // A size of 0 keeps the file's own size on that axis.
  const int32_t targetWidth = width > 0 ? width : picture->Width;
  const int32_t targetHeight = height > 0 ? height : picture->Height;
  if (targetWidth != picture->Width || targetHeight != picture->Height) {
    picture = ScalePixels(*picture, targetWidth, targetHeight);
  }
  return AsPicture(Adopt(std::move(*picture)));
}

bool MemorySurfaceLayer::PictureSize(Picture picture, PixelSize* size) {
  MemorySurface* surface = AsSurface(picture);
  if (live_.count(surface) == 0) return false;
  *size = {surface->Width, surface->Height};
  return true;
}

void MemorySurfaceLayer::ReleasePicture(Picture picture) { live_.erase(AsSurface(picture)); }

Canvas MemorySurfaceLayer::MakeSurface(Canvas, int32_t width, int32_t height) {
  if (Refuses()) return nullptr;
  // New bitmaps come out black, as they do from GDI in practice.
  return AsCanvas(Adopt(MemorySurface(width, height)));
}

Canvas MemorySurfaceLayer::MakePictureSurface(Canvas, Picture picture) {
  if (Refuses()) {
    ReleasePicture(picture);
    return nullptr;
  }
  MemorySurface* surface = AsSurface(picture);
  return live_.count(surface) != 0 ? AsCanvas(surface) : AsCanvas(Adopt(MemorySurface()));
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

void MemorySurfaceLayer::Fill(Canvas canvas, int32_t x, int32_t y, int32_t width, int32_t height) {
  if (canvas == nullptr) return;
  MemorySurface& surface = *AsSurface(canvas);
  FillPixels(surface, x, y, width, height, BrushColour(surface.SelectedBrush));
}

}  // namespace tessalander
