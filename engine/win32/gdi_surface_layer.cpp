#include "engine/win32/gdi_surface_layer.h"

#include <cstdlib>

#include "engine/bitmap_header.h"
#include "engine/bitmap_rows.h"
#include "engine/dither.h"
#include "engine/picture_scaler.h"
#include "engine/puzzle_engine.h"
#include "engine/win32/gdi_palette.h"

namespace tessalander {

namespace {

HBITMAP AsBitmap(Picture picture) { return reinterpret_cast<HBITMAP>(picture); }

bool BitmapSize(HGDIOBJ bitmap, PixelSize* size) {
  BITMAP info = {};
  if (bitmap == nullptr || GetObjectA(bitmap, sizeof info, &info) == 0) return false;
  // A top-down DIB section may state its height as negative.
  *size = {static_cast<int32_t>(info.bmWidth),
           static_cast<int32_t>(info.bmHeight < 0 ? -info.bmHeight : info.bmHeight)};
  return true;
}

// The picture file's full path, for the header check and LoadImageA alike: a
// relative name is taken from the current directory, where Windows'
// LoadImageA looks for it (Wine's looks beside the program first). False when
// the path does not fit the picture name's buffer: no picture then, rather
// than another file than the one named.
bool ResolvePictureName(const char* path, char (&full)[kPictureNameSize]) {
  const DWORD length = GetFullPathNameA(path, sizeof full, full, nullptr);
  return length > 0 && length < sizeof full;
}

// The picture file, open for reading; closed when it goes. Only a file on a
// disk: a device or a pipe named as the picture would never end, or block
// the set-up. Its attributes are asked for first: Wine has none for a Unix
// FIFO or device, and opening a FIFO there would wait for a writer.
class PictureFile {
 public:
  explicit PictureFile(const char* path) : file_(INVALID_HANDLE_VALUE) {
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
      return;
    }
    file_ = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  ~PictureFile() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  }
  PictureFile(const PictureFile&) = delete;
  PictureFile& operator=(const PictureFile&) = delete;

  bool Open() const { return file_ != INVALID_HANDLE_VALUE && GetFileType(file_) == FILE_TYPE_DISK; }

  bool Size(uint64_t* size) const {
    DWORD high = 0;
    const DWORD low = GetFileSize(file_, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return false;
    *size = uint64_t{high} << 32 | low;
    return true;
  }

  bool Seek(uint64_t offset) {
    LONG high = static_cast<LONG>(offset >> 32);
    const DWORD low = SetFilePointer(file_, static_cast<LONG>(offset & 0xFFFFFFFFu), &high, FILE_BEGIN);
    return low != INVALID_SET_FILE_POINTER || GetLastError() == NO_ERROR;
  }

  // Reads exactly `count` bytes, or as many as the file still has into
  // *got when `got` is given; false on an error or, without `got`, a short read.
  bool Read(void* into, size_t count, size_t* got = nullptr) {
    auto* at = static_cast<uint8_t*>(into);
    size_t done = 0;
    while (done < count) {
      const size_t left = count - done;
      DWORD chunk = 0;
      const DWORD ask = left < (DWORD{1} << 30) ? static_cast<DWORD>(left) : DWORD{1} << 30;
      if (!ReadFile(file_, at + done, ask, &chunk, nullptr)) return false;
      if (chunk == 0) break;
      done += chunk;
    }
    if (got != nullptr) *got = done;
    return got != nullptr || done == count;
  }

 private:
  HANDLE file_;
};

// Reads and checks the headers, and for RLE walks the stream: Wine's
// LoadImageA makes an all-black bitmap of a file it cannot read, and faults
// on some.
bool ReadPossibleLayout(PictureFile& file, BitmapLayout* layout) {
  uint64_t size = 0;
  uint8_t head[kBitmapHeaderBytes];
  size_t count = 0;
  if (!file.Open() || !file.Size(&size) || !file.Read(head, sizeof head, &count) ||
      !ReadBitmapLayout(head, count, size, layout)) {
    return false;
  }
  if (layout->compression != kBiRle8 && layout->compression != kBiRle4) return true;
  // The stream of a 4- or 8-bit picture: at most a few bytes a pixel, small
  // beside the bitmap LoadImageA then makes of it.
  if (layout->dataBytes > SIZE_MAX) return false;
  const auto bytes = static_cast<size_t>(layout->dataBytes);
  auto* stream = static_cast<uint8_t*>(std::malloc(bytes));
  const bool possible = stream != nullptr && file.Seek(layout->dataOffset) && file.Read(stream, bytes) &&
                        WalkRleStream(*layout, stream, bytes);
  std::free(stream);
  return possible;
}

bool IsDibSection(HBITMAP bitmap, DIBSECTION* section) {
  return GetObjectA(bitmap, sizeof *section, section) == sizeof *section &&
         section->dsBm.bmBits != nullptr;
}

// The scaler's rows pass through buffers of about this many bytes, so that a
// picture of any size costs no second copy of itself.
constexpr int32_t kBandBytes = 1 << 20;

int32_t BandRows(int32_t width) {
  const int32_t rows = kBandBytes / (4 * width);
  return rows > 0 ? rows : 1;
}

// A band of `rows` rows of 32-bit pixels, bottom-up (its lowest row first in
// memory), the form of DIB that every Windows reads and writes.
struct DibBand {
  DibBand(int32_t width, int32_t rows)
      : Width(width), Rows(rows),
        Pixels(static_cast<uint32_t*>(std::malloc(static_cast<size_t>(width) * rows * 4))) {}
  ~DibBand() { std::free(Pixels); }
  DibBand(const DibBand&) = delete;
  DibBand& operator=(const DibBand&) = delete;

  BITMAPINFO* Info(int32_t height) {
    info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = Width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return &info;
  }
  // Row `row` from the top of a band that holds `filled` rows.
  uint32_t* Row(int32_t row, int32_t filled) {
    return Pixels + static_cast<size_t>(filled - 1 - row) * Width;
  }

  int32_t Width;
  int32_t Rows;
  uint32_t* Pixels;
  BITMAPINFO info;
};

// The picture's rows as 32-bit pixels, read band by band with GetDIBits (the
// picture is selected into no context, as GetDIBits wants).
class PictureRows final : public ScalerInput {
 public:
  PictureRows(HDC dc, HBITMAP picture, PixelSize size)
      : dc_(dc), picture_(picture), size_(size), band_(size.width, BandRows(size.width)) {}
  bool Ready() const { return band_.Pixels != nullptr; }

  const uint8_t* Row(int32_t y) override {
    if (y < top_ || y >= top_ + filled_) {
      top_ = y;
      filled_ = size_.height - y < band_.Rows ? size_.height - y : band_.Rows;
      // Scan lines count from the bottom of the picture.
      const auto start = static_cast<UINT>(size_.height - (y + filled_));
      const int got = GetDIBits(dc_, picture_, start, static_cast<UINT>(filled_), band_.Pixels,
                                band_.Info(size_.height), DIB_RGB_COLORS);
      if (got != filled_) return nullptr;
    }
    return reinterpret_cast<const uint8_t*>(band_.Row(y - top_, filled_));
  }

 private:
  HDC dc_;
  HBITMAP picture_;
  PixelSize size_;
  DibBand band_;
  int32_t top_ = 0;
  int32_t filled_ = 0;
};

// The rows of a 24- or 32-bit DIB section, read where they lie.
class SectionRows final : public ScalerInput {
 public:
  explicit SectionRows(const DIBSECTION& section)
      : bits_(static_cast<const uint8_t*>(section.dsBm.bmBits)),
        stride_((static_cast<size_t>(section.dsBm.bmWidth) * section.dsBmih.biBitCount + 31) / 32 * 4),
        height_(section.dsBm.bmHeight), bottomUp_(section.dsBmih.biHeight > 0) {}

  const uint8_t* Row(int32_t y) override {
    return bits_ + static_cast<size_t>(bottomUp_ ? height_ - 1 - y : y) * stride_;
  }

 private:
  const uint8_t* bits_;
  size_t stride_;
  int32_t height_;
  bool bottomUp_;
};

// The scaled rows, drawn into the surface band by band.
class SurfaceRows final : public ScalerOutput {
 public:
  SurfaceRows(HDC dc, PixelSize size) : dc_(dc), size_(size), band_(size.width, BandRows(size.width)) {}
  bool Ready() const { return band_.Pixels != nullptr; }

  uint32_t* Row(int32_t y) override {
    if (y == top_ + band_.Rows) {
      if (!Flush()) return nullptr;
      top_ = y;
    }
    return band_.Row(y - top_, Filled());
  }

  // Draws the band being filled; the last one is drawn by the caller.
  bool Flush() {
    const int32_t filled = Filled();
    return SetDIBitsToDevice(dc_, 0, top_, static_cast<DWORD>(size_.width), static_cast<DWORD>(filled),
                             0, 0, 0, static_cast<UINT>(filled), band_.Pixels, band_.Info(filled),
                             DIB_RGB_COLORS) != 0;
  }

 private:
  int32_t Filled() const { return size_.height - top_ < band_.Rows ? size_.height - top_ : band_.Rows; }

  HDC dc_;
  PixelSize size_;
  DibBand band_;
  int32_t top_ = 0;
};

// The picture at its own size in the top-left corner, through a context of
// its own that gives it back afterwards.
bool CopyPicture(HDC dest, HBITMAP picture, PixelSize size) {
  const HDC dc = CreateCompatibleDC(dest);
  if (dc == nullptr) return false;
  const HGDIOBJ old = SelectObject(dc, picture);
  const bool copied = old != nullptr && BitBlt(dest, 0, 0, size.width, size.height, dc, 0, 0, SRCCOPY);
  if (old != nullptr) SelectObject(dc, old);
  DeleteDC(dc);
  return copied;
}

// The file's rows in a bottom-up 24- or 32-bit DIB section (engine/bitmap_rows.h),
// read through a buffer of about kBandBytes; nullptr when the section cannot be
// had (a 32-bit process may lack the address space for a large picture) or
// the file cannot be read.
HBITMAP ReadPictureRows(PictureFile& file, const BitmapLayout& layout) {
  // GDI keeps a DIB's size in 32 bits.
  if (ReadPictureBytes(layout) > 0x7FFFFFFF || layout.rowBytes > 0x7FFFFFFF) return nullptr;
  const auto readRow = static_cast<size_t>(ReadRowBytes(layout));
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = layout.width;
  info.bmiHeader.biHeight = layout.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(8 * ReadPixelBytes(layout));
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (section == nullptr) return nullptr;
  const auto stored = static_cast<size_t>(layout.rowBytes);
  const int32_t bandRows =
      stored < static_cast<size_t>(kBandBytes) ? static_cast<int32_t>(kBandBytes / stored) : 1;
  const int32_t rows = bandRows < layout.height ? bandRows : layout.height;
  auto* band = static_cast<uint8_t*>(std::malloc(stored * static_cast<size_t>(rows)));
  bool read = bits != nullptr && band != nullptr && file.Seek(layout.dataOffset);
  for (int32_t first = 0; read && first < layout.height; first += rows) {
    const int32_t count = layout.height - first < rows ? layout.height - first : rows;
    read = file.Read(band, stored * static_cast<size_t>(count));
    for (int32_t i = 0; read && i < count; ++i) {
      auto* row =
          static_cast<uint8_t*>(bits) + readRow * static_cast<size_t>(RowFromBottom(layout, first + i));
      ReadRow(layout, band + stored * static_cast<size_t>(i), row);
    }
  }
  std::free(band);
  if (!read) {
    DeleteObject(section);
    return nullptr;
  }
  return section;
}

}  // namespace

Picture GdiSurfaceLayer::LoadPicture(const char* path) {
  char full[kPictureNameSize];
  if (path == nullptr || !ResolvePictureName(path, full)) return nullptr;
  BitmapLayout layout;
  {
    PictureFile file(full);
    if (!ReadPossibleLayout(file, &layout)) return nullptr;
    // 16-, 24- and 32-bit rows, the pictures that are large, are read here
    // into a DIB section of the program's own: top-down files too, which
    // Wine's LoadImageA makes black, and with no second copy of the file as
    // LoadImageA's mapping of it (a 16384 x 16384 picture took twice its
    // size while it loaded). The scaler reads the section in place.
    if (ReadsRowsItself(layout)) return reinterpret_cast<Picture>(ReadPictureRows(file, layout));
  }
  // Palettes, RLE and core headers: as the screen's kind of bitmap, which
  // Wine makes of them as Windows does (its DIB sections of OS/2 palettes
  // are not); but on a display of 256 colours that kind would hold the
  // default palette's colours alone, and every picture keeps its own for the
  // dither.
  const UINT flags = LR_LOADFROMFILE | (ScreenHasPalette() ? LR_CREATEDIBSECTION : 0);
  return reinterpret_cast<Picture>(LoadImageA(nullptr, full, IMAGE_BITMAP, 0, 0, flags));
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
  // A context that holds a palette of the saver's makes surfaces of its colours.
  if (const HPALETTE palette = ContextPalette(AsDc(reference))) {
    if (SelectPaletteSurface(dc, palette, width, height)) return AsCanvas(dc);
    DeleteDC(dc);
    return nullptr;
  }
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
  // A DIB section would give WorkSurface the file's format, not the screen's:
  // its pixels go into a surface of the screen's kind.
  DIBSECTION section;
  if (IsDibSection(AsBitmap(picture), &section)) {
    PixelSize size;
    BitmapSize(AsBitmap(picture), &size);  // it was just read as a DIB section
    Canvas surface = MakeSurface(reference, size.width, size.height);
    if (surface != nullptr && !DrawPicture(surface, size.width, size.height, picture)) {
      ReleaseSurface(surface);
      surface = nullptr;
    }
    ReleasePicture(picture);
    return surface;
  }
  const HDC dc = CreateCompatibleDC(AsDc(reference));
  if (dc == nullptr || SelectObject(dc, AsBitmap(picture)) == nullptr) {
    if (dc != nullptr) DeleteDC(dc);
    ReleasePicture(picture);
    return nullptr;
  }
  return AsCanvas(dc);
}

bool GdiSurfaceLayer::DrawPicture(Canvas dest, int32_t width, int32_t height, Picture picture) {
  PixelSize size;
  if (!BitmapSize(AsBitmap(picture), &size)) return false;
  // Into a surface of the saver's palette, through the scaler at any size
  // (at its own, it copies) and dithered on the way.
  const HPALETTE palette = ContextPalette(AsDc(dest));
  const bool dithered = palette != nullptr && IsSaverPalette(palette);
  if (width == size.width && height == size.height && !dithered) {
    return CopyPicture(AsDc(dest), AsBitmap(picture), size);
  }
  SurfaceRows output(AsDc(dest), {width, height});
  if (!output.Ready()) return false;
  DitheringOutput dithering(output, dithered ? width : 0);
  if (dithered && !dithering.Ready()) return false;
  ScalerOutput& rows = dithered ? static_cast<ScalerOutput&>(dithering) : output;
  DIBSECTION section;
  bool scaled;
  if (IsDibSection(AsBitmap(picture), &section) && section.dsBmih.biCompression == BI_RGB &&
      (section.dsBmih.biBitCount == 24 || section.dsBmih.biBitCount == 32)) {
    SectionRows input(section);
    scaled = ScalePicture(size, section.dsBmih.biBitCount / 8, input, {width, height}, rows);
  } else {
    // Any other format, read as 32-bit rows.
    PictureRows input(AsDc(dest), AsBitmap(picture), size);
    scaled = input.Ready() && ScalePicture(size, 4, input, {width, height}, rows);
  }
  dithering.Finish();
  return scaled && output.Flush();
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

void GdiSurfaceLayer::UsePalette(Canvas window, PaletteKind kind, bool background) {
  UseContextPalette(AsDc(window), kind, background);
}

void GdiSurfaceLayer::Fill(Canvas canvas, int32_t x, int32_t y, int32_t width, int32_t height) {
  PatBlt(AsDc(canvas), x, y, width, height, PATCOPY);
}

}  // namespace tessalander
