#include "engine/win32/gdi_palette.h"

#include "engine/palette.h"

namespace tessalander {

namespace {

constexpr int kMostEntries = 256;

// LOGPALETTE with room for every entry a palette can have.
struct LogicalPalette {
  WORD palVersion;
  WORD palNumEntries;
  PALETTEENTRY palPalEntry[kMostEntries];
};

HPALETTE CreateLogicalPalette(const LogicalPalette& palette) {
  return CreatePalette(reinterpret_cast<const LOGPALETTE*>(&palette));
}

HPALETTE DefaultPalette() { return static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)); }

PALETTEENTRY EntryOf(uint32_t colour) {
  return {static_cast<BYTE>(colour >> 16), static_cast<BYTE>(colour >> 8), static_cast<BYTE>(colour), 0};
}

HPALETTE MakeSaverPalette() {
  LogicalPalette palette = {0x300, kSaverPaletteSize, {}};
  for (int i = 0; i < kSaverPaletteSize; ++i) palette.palPalEntry[i] = EntryOf(kSaverPalette[i]);
  return CreateLogicalPalette(palette);
}

// The system palette as it is, each entry in its place: the reserved ones,
// the static colours, as they are, the others marked PC_NOCOLLAPSE. Realised
// in the foreground, such an identity palette puts every colour back where
// it was, in order, instead of folding equal colours into one place; the
// pixels a capture copied keep their colours.
HPALETTE MakeCapturedPalette(HDC dc) {
  const int size = GetDeviceCaps(dc, SIZEPALETTE);
  const int reserved = GetDeviceCaps(dc, NUMRESERVED);
  if (size <= 0 || size > kMostEntries || reserved < 0 || reserved > size) return nullptr;
  LogicalPalette palette = {0x300, static_cast<WORD>(size), {}};
  const auto count = static_cast<UINT>(size);
  if (GetSystemPaletteEntries(dc, 0, count, palette.palPalEntry) != count) return nullptr;
  for (int i = 0; i < size; ++i) {
    const bool isReserved = i < reserved / 2 || i >= size - reserved / 2;
    palette.palPalEntry[i].peFlags = isReserved ? 0 : PC_NOCOLLAPSE;
  }
  return CreateLogicalPalette(palette);
}

HPALETTE MakePalette(HDC dc, PaletteKind kind) {
  switch (kind) {
    case PaletteKind::Saver: return MakeSaverPalette();
    case PaletteKind::Captured: return MakeCapturedPalette(dc);
    case PaletteKind::Default: break;
  }
  return DefaultPalette();
}

// BITMAPINFO with a colour table of every entry.
struct SectionInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colours[kMostEntries];
};

}  // namespace

bool IsPaletteDevice(HDC dc) {
  return (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) != 0 &&
         GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES) == 8;
}

bool ScreenHasPalette() {
  const HDC screen = GetDC(nullptr);
  if (screen == nullptr) return false;
  const bool palette = IsPaletteDevice(screen);
  ReleaseDC(nullptr, screen);
  return palette;
}

void UseContextPalette(HDC window, PaletteKind kind, bool background) {
  if (!IsPaletteDevice(window)) return;
  const HPALETTE palette = MakePalette(window, kind);
  if (palette == nullptr) return;
  const HPALETTE old = SelectPalette(window, palette, background ? TRUE : FALSE);
  if (old == nullptr) {
    if (palette != DefaultPalette()) DeleteObject(palette);
    return;
  }
  RealizePalette(window);
  if (old != DefaultPalette() && old != palette) DeleteObject(old);
}

HPALETTE ContextPalette(HDC dc) {
  const HGDIOBJ palette = GetCurrentObject(dc, OBJ_PAL);
  return palette != nullptr && palette != DefaultPalette() ? static_cast<HPALETTE>(palette) : nullptr;
}

bool IsSaverPalette(HPALETTE palette) {
  WORD count = 0;
  if (GetObjectA(palette, sizeof count, &count) != sizeof count || count != kSaverPaletteSize) {
    return false;
  }
  PALETTEENTRY entries[kSaverPaletteSize];
  if (GetPaletteEntries(palette, 0, kSaverPaletteSize, entries) != kSaverPaletteSize) return false;
  for (int i = 0; i < kSaverPaletteSize; ++i) {
    const PALETTEENTRY want = EntryOf(kSaverPalette[i]);
    if (entries[i].peRed != want.peRed || entries[i].peGreen != want.peGreen ||
        entries[i].peBlue != want.peBlue) {
      return false;
    }
  }
  return true;
}

bool SelectPaletteSurface(HDC dc, HPALETTE palette, int32_t width, int32_t height) {
  PALETTEENTRY entries[kMostEntries];
  const UINT count = GetPaletteEntries(palette, 0, kMostEntries, entries);
  if (count == 0 || count > kMostEntries) return false;
  SectionInfo info = {};
  info.header.biSize = sizeof info.header;
  // As CreateCompatibleBitmap gives, 1 x 1 for no pixels.
  info.header.biWidth = width > 0 ? width : 1;
  info.header.biHeight = height > 0 ? height : 1;
  info.header.biPlanes = 1;
  info.header.biBitCount = 8;
  info.header.biCompression = BI_RGB;
  info.header.biClrUsed = count;
  for (UINT i = 0; i < count; ++i) {
    info.colours[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
  }
  void* bits = nullptr;
  const HBITMAP bitmap =
      CreateDIBSection(dc, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap == nullptr) return false;
  // The bitmap first: realised in a memory context, a palette sets the
  // colours of the bitmap it holds (to the same ones here).
  const HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  const HPALETTE oldPalette = oldBitmap != nullptr ? SelectPalette(dc, palette, FALSE) : nullptr;
  if (oldPalette == nullptr) {
    if (oldBitmap != nullptr) SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    return false;
  }
  RealizePalette(dc);
  return true;
}

}  // namespace tessalander
