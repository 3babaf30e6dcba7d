#include "engine/scene.h"

#include <algorithm>
#include <cstddef>

namespace tessalander {

namespace {

// The text into a fixed buffer, cut to fit and always terminated.
template <size_t Size>
void CopyText(char (&buffer)[Size], const char* text) {
  size_t length = 0;
  for (; length + 1 < Size && text[length] != '\0'; ++length) buffer[length] = text[length];
  buffer[length] = '\0';
}

bool IsUsable(PuzzleEngine& engine, Picture picture) {
  PixelSize size;
  return engine.Surfaces.PictureSize(picture, &size) && size.width >= 1 && size.height >= 1;
}

// The default file when it loads, whatever the settings say; else, with
// `getimage` naming a bitmap, the file named by `bmpfile`. nullptr: capture
// the desktop.
Picture LoadChosenPicture(PuzzleEngine& engine, const SaverSettings& settings) {
  Picture picture = engine.Surfaces.LoadPicture(kDefaultPictureName, 0, 0);
  if (picture == nullptr && settings.GetImage == kSourceBitmap) {
    engine.PictureName[0] = '\0';
    if (settings.HasBmpFile) {
      CopyText(engine.PictureName, settings.BmpFile);
      picture = engine.Surfaces.LoadPicture(engine.PictureName, 0, 0);
    }
  } else {
    CopyText(engine.PictureName, kDefaultPictureName);
  }
  // A picture without a readable, positive size cannot be spread over the
  // screen; the desktop stands in for it.
  if (picture != nullptr && !IsUsable(engine, picture)) {
    engine.Surfaces.ReleasePicture(picture);
    picture = nullptr;
  }
  return picture;
}

bool IsScreenSized(const PuzzleEngine& engine, PixelSize size) {
  return size.width == engine.ScreenWidth && size.height == engine.ScreenHeight;
}

// A picture of the screen's shape is shown stretched to the screen unless
// `parallel` asks for it to be repeated at its own size. If the stretched
// reload fails, the natural-size picture stays; one of the screen's size
// already is what a reload would give.
Picture FitToScreen(PuzzleEngine& engine, const SaverSettings& settings, Picture picture) {
  if (!IsScreenShapedPicture(engine, picture) || settings.Parallel == kTileAlways) {
    return picture;
  }
  PixelSize size;
  if (engine.Surfaces.PictureSize(picture, &size) && IsScreenSized(engine, size)) return picture;
  Picture stretched =
      engine.Surfaces.LoadPicture(engine.PictureName, engine.ScreenWidth, engine.ScreenHeight);
  if (stretched == nullptr) return picture;
  if (!IsUsable(engine, stretched)) {
    engine.Surfaces.ReleasePicture(stretched);
    return picture;
  }
  engine.Surfaces.ReleasePicture(picture);
  return stretched;
}

// Copies the puzzle's monitor of the desktop, as far as the display holds it,
// into SourceSurface; false when no surface could be made for it. The primary
// keeps to the desktop window's rectangle within its monitor, as with one
// monitor; Wine's desktop window covers only the primary, Windows' may cover
// every monitor.
bool CaptureDesktop(PuzzleEngine& engine, Canvas display, const PuzzleArea& area) {
  ScreenRect wanted = area.monitor;
  if (area.primary) wanted = Intersection(wanted, engine.Services.DesktopRect());
  const DisplayView view = engine.Services.ViewOfDisplay(display);
  const ScreenRect r = Intersection(wanted, view.screen);
  // A rectangle that lies wholly off the display leaves nothing to copy, and
  // the monitor black: GDI would make an empty bitmap 1 x 1 and monochrome,
  // and spread its one pixel over the monitor.
  if (r.right <= r.left || r.bottom <= r.top) return true;
  const int32_t width = r.right - r.left;
  const int32_t height = r.bottom - r.top;
  engine.SourceSurface = engine.Surfaces.MakeSurface(display, width, height);
  if (engine.SourceSurface == nullptr) return false;
  engine.Surfaces.Copy(engine.SourceSurface, 0, 0, width, height, display, r.left + view.origin.x,
                       r.top + view.origin.y);
  return true;
}

void ReleaseIfMade(SurfaceLayer& surfaces, Canvas& surface) {
  if (surface != nullptr) surfaces.ReleaseSurface(surface);
  surface = nullptr;
}

// Gives back everything SetUpScene holds: the source and the context it used
// as the model of every surface, and, when the puzzle did not get all it
// needs, whatever surfaces it made.
void FinishSetUp(PuzzleEngine& engine, Window window, Canvas reference) {
  ReleaseIfMade(engine.Surfaces, engine.SourceSurface);
  if (!IsSceneReady(engine)) TearDownScene(engine);
  if (reference == nullptr) return;
  if (engine.ImageMode == ImageFromFile) {
    engine.Services.ReleaseWindowContext(window, reference);
  } else {
    engine.Services.CloseDisplay(reference);
  }
}

}  // namespace

bool IsSceneReady(const PuzzleEngine& engine) {
  return engine.WorkSurface != nullptr && engine.CornerPatch != nullptr &&
         (engine.ImageMode != ImageFromDesktopDark || engine.HoleTile != nullptr);
}

void SetUpScene(PuzzleEngine& engine, const SaverSettings& settings, Window window,
                const PuzzleArea& area, KeptPicture* kept) {
  PuzzleState& s = engine.State;
  SurfaceLayer& surfaces = engine.Surfaces;
  WindowServices& services = engine.Services;

  s.PhaseCounter = -s.PhaseCounter;
  s.PauseThreshold = s.PhaseCounter;

  engine.AreaLeft = area.left;
  engine.AreaTop = area.top;
  engine.ScreenWidth = area.monitor.right - area.monitor.left;
  engine.ScreenHeight = area.monitor.bottom - area.monitor.top;
  engine.Monitor = area.monitor;
  ComputePuzzleParameters(s, engine.BlockSize, settings);

  Canvas reference = nullptr;
  Picture picture = LoadChosenPicture(engine, settings);
  if (picture != nullptr) {
    picture = FitToScreen(engine, settings, picture);
    reference = services.WindowContext(window);
    if (reference == nullptr) {
      surfaces.ReleasePicture(picture);
      return FinishSetUp(engine, window, reference);
    }
    engine.SourceSurface = surfaces.MakePictureSurface(reference, picture);
    if (engine.SourceSurface == nullptr) return FinishSetUp(engine, window, reference);
  } else {
    engine.ImageMode = ImageFromDesktop;
    reference = services.OpenDisplay();
    if (reference == nullptr) return FinishSetUp(engine, window, reference);
    if (kept != nullptr) {
      engine.SourceSurface = kept->surface;
      kept->surface = nullptr;
    } else if (!CaptureDesktop(engine, reference, area)) {
      return FinishSetUp(engine, window, reference);
    }
  }

  // A source of the screen's size becomes WorkSurface itself; any other is
  // spread over a new one, and none leaves it black.
  PixelSize sourceSize;
  if (engine.SourceSurface != nullptr && surfaces.SurfaceSize(engine.SourceSurface, &sourceSize) &&
      IsScreenSized(engine, sourceSize)) {
    engine.WorkSurface = engine.SourceSurface;
    engine.SourceSurface = nullptr;
  } else {
    engine.WorkSurface = surfaces.MakeSurface(reference, engine.ScreenWidth, engine.ScreenHeight);
    if (engine.WorkSurface == nullptr) return FinishSetUp(engine, window, reference);
    TileSourcePicture(engine);
  }

  const bool blackSlot = settings.BackColor == kBackBlack;
  if ((blackSlot || settings.BackColor == kNoCode) && engine.ImageMode == ImageFromDesktop) {
    engine.ImageMode = ImageFromDesktopDark;
    engine.HoleTile = surfaces.MakeSurface(reference, engine.BlockSize, engine.BlockSize);
    if (engine.HoleTile == nullptr) return FinishSetUp(engine, window, reference);
    engine.FillBrush = Brush::Black;
    surfaces.SelectBrush(engine.HoleTile, engine.FillBrush);
    surfaces.Fill(engine.HoleTile, 0, 0, engine.BlockSize, engine.BlockSize);
  }

  // The solve ends with every block home but the top-left one, which the
  // slot hid since the shuffle: the picture's corner is all that is kept.
  const int32_t cornerWidth = std::min(2 * engine.BlockSize, engine.ScreenWidth);
  const int32_t cornerHeight = std::min(2 * engine.BlockSize, engine.ScreenHeight);
  engine.CornerPatch = surfaces.MakeSurface(reference, cornerWidth, cornerHeight);
  if (engine.CornerPatch == nullptr) return FinishSetUp(engine, window, reference);
  surfaces.Copy(engine.CornerPatch, 0, 0, cornerWidth, cornerHeight, engine.WorkSurface, 0, 0);

  engine.FillBrush =
      (blackSlot || engine.ImageMode == ImageFromDesktopDark) ? Brush::Black : Brush::White;
  surfaces.SelectBrush(reference, engine.FillBrush);
  surfaces.SelectBrush(engine.WorkSurface, engine.FillBrush);

  FinishSetUp(engine, window, reference);
}

bool IsScreenShapedPicture(PuzzleEngine& engine, Picture picture) {
  PixelSize size;
  if (!engine.Surfaces.PictureSize(picture, &size)) return false;
  // 64-bit products: a huge picture must not overflow into a wrong answer.
  const int64_t w = size.width;
  const int64_t h = size.height;
  const bool wideEnough = w >= engine.ScreenWidth / 16;
  return wideEnough && 16 * h > 11 * w && 16 * h < 13 * w;
}

void TileSourcePicture(PuzzleEngine& engine) {
  SurfaceLayer& surfaces = engine.Surfaces;
  Canvas work = engine.WorkSurface;
  const int32_t screenWidth = engine.ScreenWidth;
  const int32_t screenHeight = engine.ScreenHeight;
  if (engine.SourceSurface == nullptr) return;
  PixelSize picture;
  const bool known = surfaces.SurfaceSize(engine.SourceSurface, &picture);

  surfaces.Copy(work, 0, 0, screenWidth, screenHeight, engine.SourceSurface, 0, 0);
  // Repeating needs a picture of at least one pixel each way. What is already spread is
  // copied again beside itself, so the covered width and height double with
  // each copy, each a whole number of pictures.
  if (known && picture.width >= 1 && picture.height >= 1) {
    for (int32_t width = picture.width; width < screenWidth; width *= 2) {
      surfaces.Copy(work, width, 0, width, picture.height, work, 0, 0);
    }
    for (int32_t height = picture.height; height < screenHeight; height *= 2) {
      surfaces.Copy(work, 0, height, screenWidth, height, work, 0, 0);
    }
  }
}

void TearDownScene(PuzzleEngine& engine) {
  ReleaseIfMade(engine.Surfaces, engine.WorkSurface);
  ReleaseIfMade(engine.Surfaces, engine.HoleTile);
  ReleaseIfMade(engine.Surfaces, engine.CornerPatch);
}

}  // namespace tessalander
