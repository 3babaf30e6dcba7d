#include "engine/puzzle_setup.h"

#include <algorithm>

namespace tessalander {

namespace {

constexpr int32_t kCaptureStripBytes = 1 << 18;

bool IsUsable(SurfaceLayer& surfaces, Picture picture) {
  PixelSize size;
  return surfaces.PictureSize(picture, &size) && size.width >= 1 && size.height >= 1;
}

bool IsScreenSized(const PuzzleEngine& engine, PixelSize size) {
  return size.width == engine.ScreenWidth && size.height == engine.ScreenHeight;
}

// Repeats WorkSurface's top-left picture-sized corner right and down, cut at
// the screen's edges. What is already spread is copied again beside itself,
// so the covered width and height double with each copy, each a whole
// number of pictures.
void RepeatCorner(PuzzleEngine& engine, PixelSize picture) {
  SurfaceLayer& surfaces = *engine.Surfaces;
  Canvas work = engine.WorkSurface;
  for (int32_t width = picture.width; width < engine.ScreenWidth; width *= 2) {
    surfaces.Copy(work, width, 0, width, picture.height, work, 0, 0);
  }
  for (int32_t height = picture.height; height < engine.ScreenHeight; height *= 2) {
    surfaces.Copy(work, 0, height, engine.ScreenWidth, height, work, 0, 0);
  }
}

// The picture spread over WorkSurface. A picture of the screen's shape is
// stretched to the screen unless `parallel` asks for it to be repeated at its
// own size, as it is when the scaler lacks memory; the last puzzle to show a
// picture of its own size takes it as its WorkSurface. False when a surface
// cannot be made or the picture not drawn.
bool SpreadPicture(PuzzleEngine& engine, const SaverSettings& settings, Canvas reference,
                   ScenePicture& scene) {
  SurfaceLayer& surfaces = *engine.Surfaces;
  PixelSize size;
  if (!surfaces.PictureSize(scene.picture, &size)) return false;
  if (IsScreenSized(engine, size) && scene.lastUse) {
    const Picture picture = scene.picture;
    scene.picture = nullptr;
    engine.WorkSurface = surfaces.MakePictureSurface(reference, picture);
    return engine.WorkSurface != nullptr;
  }
  engine.WorkSurface = surfaces.MakeSurface(reference, engine.ScreenWidth, engine.ScreenHeight);
  if (engine.WorkSurface == nullptr) return false;
  const bool stretched = IsScreenShapedPicture(engine, scene.picture) &&
                         settings.Parallel != kTileAlways && !IsScreenSized(engine, size);
  if (stretched && surfaces.DrawPicture(engine.WorkSurface, engine.ScreenWidth,
                                        engine.ScreenHeight, scene.picture)) {
    return true;
  }
  if (!surfaces.DrawPicture(engine.WorkSurface, size.width, size.height, scene.picture)) return false;
  RepeatCorner(engine, size);
  return true;
}

// Copies the puzzle's monitor of the desktop, as far as the display holds it,
// into SourceSurface; false when no surface could be made for it. The primary
// keeps to the desktop window's rectangle within its monitor, as with one
// monitor; Wine's desktop window covers only the primary, Windows' may cover
// every monitor.
bool CaptureDesktop(PuzzleEngine& engine, Canvas display, const PuzzleArea& area) {
  ScreenRect wanted = area.monitor;
  if (area.primary) wanted = Intersection(wanted, engine.Services->DesktopRect());
  const DisplayView view = engine.Services->ViewOfDisplay(display);
  const ScreenRect r = Intersection(wanted, view.screen);
  // A rectangle that lies wholly off the display leaves nothing to copy, and
  // the monitor black: GDI would make an empty bitmap 1 x 1 and monochrome,
  // and spread its one pixel over the monitor.
  if (r.right <= r.left || r.bottom <= r.top) return true;
  const int32_t width = r.right - r.left;
  const int32_t height = r.bottom - r.top;
  engine.SourceSurface = engine.Surfaces->MakeSurface(display, width, height);
  if (engine.SourceSurface == nullptr) return false;
  // In strips of a quarter of a megabyte: under Wine each copy from the
  // display is one XGetImage, and a new process took 300 ms for a 4K screen
  // in one request or in strips of a megabyte, 110 ms in these (with the
  // surface's first touch), and 31 against 17 ms at 1024 x 768.
  const int32_t strip = std::max(kCaptureStripBytes / 4 / width, 1);
  for (int32_t y = 0; y < height; y += strip) {
    engine.Surfaces->Copy(engine.SourceSurface, 0, y, width, std::min(strip, height - y), display,
                         r.left + view.origin.x, r.top + view.origin.y + y);
  }
  return true;
}

void ReleaseIfMade(SurfaceLayer& surfaces, Canvas& surface) {
  if (surface != nullptr) surfaces.ReleaseSurface(surface);
  surface = nullptr;
}

// The picture spread over WorkSurface: the file's, or the puzzle's monitor
// of the desktop (or, on a monitor the window already covers, the picture it
// showed before). False when a surface cannot be had.
bool SpreadSource(PuzzleEngine& engine, const SaverSettings& settings, Canvas reference,
                  const PuzzleArea& area, ScenePicture& picture, KeptPicture* kept) {
  if (engine.ImageMode == ImageFromFile) return SpreadPicture(engine, settings, reference, picture);
  SurfaceLayer& surfaces = *engine.Surfaces;
  if (kept != nullptr) {
    engine.SourceSurface = kept->surface;
    kept->surface = nullptr;
  } else if (!CaptureDesktop(engine, reference, area)) {
    return false;
  }
  // A source of the screen's size becomes WorkSurface itself; any other is
  // spread over a new one, and none leaves it black.
  PixelSize sourceSize;
  if (engine.SourceSurface != nullptr && surfaces.SurfaceSize(engine.SourceSurface, &sourceSize) &&
      IsScreenSized(engine, sourceSize)) {
    engine.WorkSurface = engine.SourceSurface;
    engine.SourceSurface = nullptr;
    return true;
  }
  engine.WorkSurface = surfaces.MakeSurface(reference, engine.ScreenWidth, engine.ScreenHeight);
  if (engine.WorkSurface == nullptr) return false;
  TileSourcePicture(engine);
  return true;
}

// The black HoleTile that a desktop capture's slot shows unless the slot is
// to be white, and the picture's corner, which the end of each solve puts
// back (every block is home then but the top-left one, which the slot hid
// since the shuffle). False when a surface cannot be had.
bool MakeSlotAndCorner(PuzzleEngine& engine, const SaverSettings& settings, Canvas reference) {
  SurfaceLayer& surfaces = *engine.Surfaces;
  const bool whiteSlot = settings.BackColor != kBackBlack && settings.BackColor != kNoCode;
  if (engine.ImageMode == ImageFromDesktop && !whiteSlot) {
    engine.ImageMode = ImageFromDesktopDark;
    engine.HoleTile = surfaces.MakeSurface(reference, engine.BlockSize, engine.BlockSize);
    if (engine.HoleTile == nullptr) return false;
    surfaces.SelectBrush(engine.HoleTile, Brush::Black);
    surfaces.Fill(engine.HoleTile, 0, 0, engine.BlockSize, engine.BlockSize);
  }
  const int32_t cornerWidth = std::min(2 * engine.BlockSize, engine.ScreenWidth);
  const int32_t cornerHeight = std::min(2 * engine.BlockSize, engine.ScreenHeight);
  engine.CornerPatch = surfaces.MakeSurface(reference, cornerWidth, cornerHeight);
  if (engine.CornerPatch == nullptr) return false;
  surfaces.Copy(engine.CornerPatch, 0, 0, cornerWidth, cornerHeight, engine.WorkSurface, 0, 0);
  return true;
}

// Gives back everything SetUpPuzzle holds: the source and the context it used
// as the model of every surface, and, when the puzzle did not get all it
// needs, whatever surfaces it made.
void FinishSetUp(PuzzleEngine& engine, Window window, Canvas reference) {
  ReleaseIfMade(*engine.Surfaces, engine.SourceSurface);
  if (!IsPuzzleReady(engine)) TearDownPuzzle(engine);
  if (reference == nullptr) return;
  if (engine.ImageMode == ImageFromFile) {
    engine.Services->ReleaseWindowContext(window, reference);
  } else {
    engine.Services->CloseDisplay(reference);
  }
}

}  // namespace

bool IsPuzzleReady(const PuzzleEngine& engine) {
  return engine.WorkSurface != nullptr && engine.CornerPatch != nullptr &&
         (engine.ImageMode != ImageFromDesktopDark || engine.HoleTile != nullptr);
}

ScenePicture LoadScenePicture(SurfaceLayer& surfaces, const SaverSettings& settings) {
  Picture picture = surfaces.LoadPicture(kDefaultPictureName);
  if (picture == nullptr && settings.GetImage == kSourceBitmap && settings.HasBmpFile) {
    picture = surfaces.LoadPicture(settings.BmpFile);
  }
  // A picture without a readable, positive size cannot be spread over the
  // screen; the desktop stands in for it.
  if (picture != nullptr && !IsUsable(surfaces, picture)) {
    surfaces.ReleasePicture(picture);
    picture = nullptr;
  }
  ScenePicture scene;
  scene.picture = picture;
  return scene;
}

void ReleaseScenePicture(SurfaceLayer& surfaces, ScenePicture& picture) {
  if (picture.picture != nullptr) surfaces.ReleasePicture(picture.picture);
  picture.picture = nullptr;
}

void SetUpPuzzle(PuzzleEngine& engine, const SaverSettings& settings, Window window,
                 const PuzzleArea& area, ScenePicture& picture, KeptPicture* kept) {
  PuzzleState& s = engine.State;
  s.PhaseCounter = -s.PhaseCounter;
  s.PauseThreshold = s.PhaseCounter;

  engine.AreaLeft = area.left;
  engine.AreaTop = area.top;
  engine.ScreenWidth = area.monitor.right - area.monitor.left;
  engine.ScreenHeight = area.monitor.bottom - area.monitor.top;
  engine.Monitor = area.monitor;
  engine.BlockSize = BlockSizeForScreenWidth(engine.ScreenWidth);
  ComputePuzzleParameters(s, engine.BlockSize, settings);

  // Every surface is made in the format of the picture's destination: the
  // window's context for a file, the display's for a capture.
  engine.ImageMode = picture.picture != nullptr ? ImageFromFile : ImageFromDesktop;
  const Canvas reference = engine.ImageMode == ImageFromFile ? engine.Services->WindowContext(window)
                                                             : engine.Services->OpenDisplay();
  if (reference != nullptr && SpreadSource(engine, settings, reference, area, picture, kept) &&
      MakeSlotAndCorner(engine, settings, reference)) {
    engine.FillBrush = settings.BackColor == kBackBlack || engine.ImageMode == ImageFromDesktopDark
                           ? Brush::Black
                           : Brush::White;
    engine.Surfaces->SelectBrush(reference, engine.FillBrush);
    engine.Surfaces->SelectBrush(engine.WorkSurface, engine.FillBrush);
  }
  FinishSetUp(engine, window, reference);
}

bool IsScreenShapedPicture(PuzzleEngine& engine, Picture picture) {
  PixelSize size;
  if (!engine.Surfaces->PictureSize(picture, &size)) return false;
  // 64-bit products: a huge picture must not overflow into a wrong answer.
  const int64_t w = size.width;
  const int64_t h = size.height;
  const bool wideEnough = w >= engine.ScreenWidth / 16;
  return wideEnough && 16 * h > 11 * w && 16 * h < 13 * w;
}

void TileSourcePicture(PuzzleEngine& engine) {
  if (engine.SourceSurface == nullptr) return;
  PixelSize picture;
  const bool known = engine.Surfaces->SurfaceSize(engine.SourceSurface, &picture);
  engine.Surfaces->Copy(engine.WorkSurface, 0, 0, engine.ScreenWidth, engine.ScreenHeight,
                       engine.SourceSurface, 0, 0);
  // Repeating needs a picture of at least one pixel each way.
  if (known && picture.width >= 1 && picture.height >= 1) RepeatCorner(engine, picture);
}

void TearDownPuzzle(PuzzleEngine& engine) {
  ReleaseIfMade(*engine.Surfaces, engine.WorkSurface);
  ReleaseIfMade(*engine.Surfaces, engine.HoleTile);
  ReleaseIfMade(*engine.Surfaces, engine.CornerPatch);
}

}  // namespace tessalander
