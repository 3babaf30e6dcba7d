#include "engine/win32/gdi_surface_layer.h"

#include "engine/bitmap_header.h"

namespace tessalander {

namespace {

HBITMAP AsBitmap(Picture picture) { return reinterpret_cast<HBITMAP>(picture); }

bool BitmapSize(HGDIOBJ bitmap, PixelSize* size) {
  BITMAP info = {};
  if (bitmap == nullptr || GetObjectA(bitmap, sizeof info, &info) == 0) return false;
  *size = {static_cast<int32_t>(info.bmWidth), static_cast<int32_t>(info.bmHeight)};
  return true;
}

// Finds the file LoadImageA will read and checks its headers: Wine's
// LoadImageA makes an all-black bitmap of an impossible file instead of
// failing. A relative name is searched for as SearchPathA does, beside the
// program before the current directory, as Wine's LoadImageA does.
bool HasPossibleBitmapHeader(const char* path) {
  char found[MAX_PATH];
  const DWORD length = SearchPathA(nullptr, path, nullptr, sizeof found, found, nullptr);
  const char* name = length > 0 && length < sizeof found ? found : path;
  const HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  uint8_t head[kBitmapHeaderBytes];
  DWORD count = 0;
  DWORD sizeHigh = 0;
  const DWORD sizeLow = GetFileSize(file, &sizeHigh);
  const bool sized = sizeLow != INVALID_FILE_SIZE || GetLastError() == NO_ERROR;
  const bool read = ReadFile(file, head, sizeof head, &count, nullptr) != 0;
  CloseHandle(file);
  return sized && read && BitmapHeaderIsPossible(head, count, uint64_t{sizeHigh} << 32 | sizeLow);
}

}  // namespace

Picture GdiSurfaceLayer::LoadPicture(const char* path, int32_t width, int32_t height) {
  if (path == nullptr || !HasPossibleBitmapHeader(path)) return nullptr;
  return reinterpret_cast<Picture>(
      LoadImageA(nullptr, path, IMAGE_BITMAP, width, height, LR_LOADFROMFILE));
}

bool GdiSurfaceLayer::PictureSize(Picture picture, PixelSize* size) {
  return BitmapSize(AsBitmap(picture), size);
}

void GdiSurfaceLayer::ReleasePicture(Picture picture) {
  if (picture != nullptr) DeleteObject(AsBitmap(picture));
}

Canvas GdiSurfaceLayer::MakeSurface(Canvas reference, int32_t width, int32_t height) {
  const HDC dc = CreateCompatibleDC(AsDc(reference));
  if (dc == nullptr) return nullptr;
  // A bitmap of 0 pixels either way comes back as a 1 x 1 one, not as a failure.
  const HBITMAP bitmap = CreateCompatibleBitmap(AsDc(reference), width, height);
  if (bitmap == nullptr || SelectObject(dc, bitmap) == nullptr) {
    DeleteDC(dc);
    if (bitmap != nullptr) DeleteObject(bitmap);
    return nullptr;
  }
  return AsCanvas(dc);
}

Canvas GdiSurfaceLayer::MakePictureSurface(Canvas reference, Picture picture) {
  const HDC dc = CreateCompatibleDC(AsDc(reference));
  if (dc == nullptr || SelectObject(dc, AsBitmap(picture)) == nullptr) {
    if (dc != nullptr) DeleteDC(dc);
    ReleasePicture(picture);
    return nullptr;
  }
  return AsCanvas(dc);
}

bool GdiSurfaceLayer::SurfaceSize(Canvas surface, PixelSize* size) {
  return BitmapSize(GetCurrentObject(AsDc(surface), OBJ_BITMAP), size);
}

void GdiSurfaceLayer::ReleaseSurface(Canvas surface) {
  if (surface == nullptr) return;
  // A bitmap can be deleted only once no context holds it: context first.
  const HGDIOBJ bitmap = GetCurrentObject(AsDc(surface), OBJ_BITMAP);
  DeleteDC(AsDc(surface));
  if (bitmap != nullptr) DeleteObject(bitmap);
}

void GdiSurfaceLayer::Copy(Canvas dest, int32_t x, int32_t y, int32_t width, int32_t height,
                           Canvas source, int32_t sourceX, int32_t sourceY) {
  BitBlt(AsDc(dest), x, y, width, height, AsDc(source), sourceX, sourceY, SRCCOPY);
}

void GdiSurfaceLayer::SelectBrush(Canvas canvas, Brush brush) {
  SelectObject(AsDc(canvas), GetStockObject(brush == Brush::Black ? BLACK_BRUSH : WHITE_BRUSH));
}

void GdiSurfaceLayer::Fill(Canvas canvas, int32_t x, int32_t y, int32_t width, int32_t height) {
  PatBlt(AsDc(canvas), x, y, width, height, PATCOPY);
}

}  // namespace tessalander
