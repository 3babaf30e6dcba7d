#include "engine/scene.h"

#include <cstdio>

namespace {

bool IsUsable(PuzzleEngine& engine, Picture picture) {
  PixelSize size;
  return engine.Surfaces.PictureSize(picture, &size) && size.width >= 1 && size.height >= 1;
}

// The default file when it loads, whatever the settings say; else, with
// `getimage` 2, the file named by `bmpfile`. nullptr: capture the desktop.
Picture LoadChosenPicture(PuzzleEngine& engine) {
  Picture picture = engine.Surfaces.LoadPicture(kDefaultPictureName, 0, 0);
  if (picture == nullptr && ReadSettingCode(engine.Store, kGetImage, kNoCode) == 2) {
    const char* path = ReadSettingText(engine.Store, kBmpFile);
    engine.PictureName[0] = '\0';
    if (path != nullptr) {
      std::snprintf(engine.PictureName, sizeof engine.PictureName, "%s", path);
      picture = engine.Surfaces.LoadPicture(engine.PictureName, 0, 0);
    }
  } else {
    std::snprintf(engine.PictureName, sizeof engine.PictureName, "%s", kDefaultPictureName);
  }
  // A picture without a readable, positive size cannot be spread over the
  // screen; the desktop stands in for it.
  if (picture != nullptr && !IsUsable(engine, picture)) {
    engine.Surfaces.ReleasePicture(picture);
    picture = nullptr;
  }
  return picture;
}

// A picture of the screen's shape is shown stretched to the screen unless
// `parallel` asks for it to be repeated at its own size. If the stretched
// reload fails, the natural-size picture stays.
Picture FitToScreen(PuzzleEngine& engine, Picture picture) {
  if (IsScreenShapedPicture(engine, picture) != 1 ||
      ReadSettingCode(engine.Store, kParallel, kNoCode) == 1) {
    return picture;
  }
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

// Copies the desktop, clipped to the display, into SourceSurface.
void CaptureDesktop(PuzzleEngine& engine, Canvas display) {
  ScreenRect r = engine.Services.DesktopRect();
  const PixelSize displaySize = engine.Services.DisplaySize(display);
  if (r.top < 0) r.top = 0;
  if (r.left < 0) r.left = 0;
  if (r.bottom > displaySize.height) r.bottom = displaySize.height;
  if (r.right > displaySize.width) r.right = displaySize.width;
  // A rectangle that lies wholly off the display leaves nothing to copy.
  const int32_t width = r.right > r.left ? r.right - r.left : 0;
  const int32_t height = r.bottom > r.top ? r.bottom - r.top : 0;
  engine.SourceSurface = engine.Surfaces.MakeSurface(display, width, height);
  engine.Surfaces.Copy(engine.SourceSurface, 0, 0, width, height, display, r.left, r.top);
}

}  // namespace

void SetUpScene(PuzzleEngine& engine, Window window) {
  PuzzleState& s = engine.State;
  SurfaceLayer& surfaces = engine.Surfaces;
  WindowServices& services = engine.Services;

  s.PhaseCounter = -s.PhaseCounter;
  s.PauseThreshold = s.PhaseCounter;

  const PixelSize screen = services.ScreenSize();
  engine.ScreenWidth = screen.width;
  engine.ScreenHeight = screen.height;
  ComputePuzzleParameters(s, engine.BlockSize, engine.Store);

  Canvas reference = nullptr;
  Picture picture = LoadChosenPicture(engine);
  if (picture != nullptr) {
    picture = FitToScreen(engine, picture);
    reference = services.WindowContext(window);
    engine.SourceSurface = surfaces.MakePictureSurface(reference, picture);
  } else {
    engine.ImageMode = ImageFromDesktop;
    reference = services.OpenDisplay();
    CaptureDesktop(engine, reference);
  }

  engine.WorkSurface = surfaces.MakeSurface(reference, engine.ScreenWidth, engine.ScreenHeight);

  const int backColor = ReadSettingCode(engine.Store, kBackColor, kNoCode);
  if ((backColor == 2 || backColor == kNoCode) && engine.ImageMode == ImageFromDesktop) {
    engine.ImageMode = ImageFromDesktopDark;
    engine.HoleTile = surfaces.MakeSurface(reference, engine.BlockSize, engine.BlockSize);
    engine.FillBrush = Brush::Black;
    surfaces.SelectBrush(engine.HoleTile, engine.FillBrush);
    surfaces.Fill(engine.HoleTile, 0, 0, engine.BlockSize, engine.BlockSize);
  }

  engine.PristineSurface = surfaces.MakeSurface(reference, engine.ScreenWidth, engine.ScreenHeight);

  engine.FillBrush = (backColor == 2 || engine.ImageMode == ImageFromDesktopDark) ? Brush::Black
                                                                                   : Brush::White;
  surfaces.SelectBrush(reference, engine.FillBrush);
  surfaces.SelectBrush(engine.WorkSurface, engine.FillBrush);

  TileSourcePicture(engine);

  surfaces.ReleaseSurface(engine.SourceSurface);
  engine.SourceSurface = nullptr;
  if (engine.ImageMode == ImageFromFile) {
    services.ReleaseWindowContext(window, reference);
  } else {
    services.CloseDisplay(reference);
  }

  services.SetTimer(window, kAnimationTimerId, kAnimationPeriodMs);
  services.Invalidate(window);
}

int IsScreenShapedPicture(PuzzleEngine& engine, Picture picture) {
  PixelSize size;
  if (!engine.Surfaces.PictureSize(picture, &size)) return 0;
  // 64-bit products: a huge picture must not overflow into a wrong answer.
  const int64_t w = size.width;
  const int64_t h = size.height;
  const bool wideEnough = w >= engine.ScreenWidth / 16;
  return wideEnough && 16 * h > 11 * w && 16 * h < 13 * w ? 1 : 0;
}

int TileSourcePicture(PuzzleEngine& engine) {
  SurfaceLayer& surfaces = engine.Surfaces;
  Canvas work = engine.WorkSurface;
  const int32_t screenWidth = engine.ScreenWidth;
  const int32_t screenHeight = engine.ScreenHeight;
  PixelSize picture;
  const bool known = surfaces.SurfaceSize(engine.SourceSurface, &picture);

  surfaces.Copy(work, 0, 0, screenWidth, screenHeight, engine.SourceSurface, 0, 0);
  // Repeating needs a picture of at least one pixel each way; an empty
  // capture leaves WorkSurface as it was made.
  if (known && picture.width >= 1 && picture.height >= 1) {
    for (int32_t x = 0; x + picture.width < screenWidth; x += picture.width) {
      surfaces.Copy(work, x + picture.width, 0, screenWidth, picture.height, work, 0, 0);
    }
    for (int32_t y = 0; y + picture.height < screenHeight; y += picture.height) {
      surfaces.Copy(work, 0, y + picture.height, screenWidth, screenHeight, work, 0, 0);
    }
  }
  surfaces.Copy(engine.PristineSurface, 0, 0, screenWidth, screenHeight, work, 0, 0);
  return 1;
}

void TearDownScene(PuzzleEngine& engine, Window window) {
  engine.Services.KillTimer(window, kAnimationTimerId);
  engine.Surfaces.ReleaseSurface(engine.WorkSurface);
  engine.WorkSurface = nullptr;
  if (engine.HoleTile != nullptr) {
    engine.Surfaces.ReleaseSurface(engine.HoleTile);
    engine.HoleTile = nullptr;
  }
  engine.Surfaces.ReleaseSurface(engine.PristineSurface);
  engine.PristineSurface = nullptr;
  engine.Services.PostQuit();
}
