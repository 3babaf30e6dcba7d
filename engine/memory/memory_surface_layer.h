// The surface layer on plain pixel buffers, for the tests and the tools.
// Picture files come through a FileReader, so a test can stand a fake file
// system in for the disk. Every surface and picture it hands out stays
// counted until released, so leaks show; and it can refuse to make surfaces,
// as GDI does when memory or drawing resources run out. It can stand for a
// display of 256 colours too (PaletteDisplay).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/memory/image_files.h"
#include "engine/memory/memory_surface.h"
#include "engine/surface_layer.h"

namespace tessalander {

// Fills bytes with the file's contents; false when it cannot be read.
using FileReader = std::function<bool(const std::string& path, std::vector<uint8_t>& bytes)>;

class MemorySurfaceLayer : public SurfaceLayer {
 public:
  explicit MemorySurfaceLayer(FileReader reader = &ReadDiskFile) : reader_(std::move(reader)) {}
  virtual ~MemorySurfaceLayer() = default;

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

  // The display has 256 colours: palettes are used, and pictures drawn with
  // the saver's are dithered to it, as on such a display with the palette
  // realised.
  bool PaletteDisplay = false;

  // Surfaces and pictures made and not yet released.
  size_t LiveObjects() const { return live_.size(); }
  // The path of every load asked for, in order.
  const std::vector<std::string>& Loads() const { return loads_; }
  // Pictures drawn at another size than their own, and whether the scaler
  // is refused its memory, as it may be in the .scr.
  int Scalings = 0;
  bool RefuseScaling = false;

  // Surfaces asked for so far, made or refused; the ones whose ordinal (from
  // 1) is in RefusedSurfaces come back nullptr.
  int SurfacesAskedFor() const { return asked_; }
  std::set<int> RefusedSurfaces;

 private:
  MemorySurface* Adopt(MemorySurface surface);
  bool Refuses();

  FileReader reader_;
  std::map<MemorySurface*, std::unique_ptr<MemorySurface>> live_;
  std::vector<std::string> loads_;
  int asked_ = 0;
};

}  // namespace tessalander
