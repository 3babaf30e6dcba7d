#include "engine/puzzle_setup.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "engine/tests/support/engine_test_support.h"

namespace tessalander {

namespace {

constexpr uint32_t kDefaultSalt = 0x111111;
constexpr uint32_t kBmpFileSalt = 0x222222;
constexpr uint32_t kDesktopSalt = 0x5A3C96;  // MemorySaver's display

enum class Source { DefaultFile, BmpFile, Desktop };

TEST(PuzzleSetUp, PictureChoice) {
  const char* kPath = "C:\\pictures\\b.bmp";
  // default file loads | getimage (0: absent) | bmpfile ("" absent) | picture shown
  const struct {
    bool defaultLoads;
    uint32_t getImage;
    const char* bmpFile;
    Source source;
  } rows[] = {
      {true, 0, "", Source::DefaultFile},
      {true, 1, kPath, Source::DefaultFile},
      {true, 2, kPath, Source::DefaultFile},
      {false, 2, kPath, Source::BmpFile},
      {false, 2, "", Source::Desktop},
      {false, 2, "missing.bmp", Source::Desktop},
      {false, 1, kPath, Source::Desktop},
      {false, 0, kPath, Source::Desktop},
      {false, 3, kPath, Source::Desktop},
  };
  for (const auto& row : rows) {
    MemorySaver saver({1024, 768});
    if (row.defaultLoads) GivePicture(saver, 1024, 768, kDefaultSalt);
    saver.Files[kPath] = PatternBmp(1024, 768, kBmpFileSalt);
    if (row.getImage != 0) saver.SetCode(kGetImage, row.getImage);
    if (*row.bmpFile != '\0') saver.SetText(kBmpFile, row.bmpFile);
    saver.Create();

    const PuzzleEngine& engine = saver.Engine;
    const uint32_t salt = row.source == Source::DefaultFile ? kDefaultSalt
                          : row.source == Source::BmpFile   ? kBmpFileSalt
                                                            : kDesktopSalt;
    SCOPED_TRACE(testing::Message() << "default " << row.defaultLoads << " getimage "
                                    << row.getImage << " bmpfile '" << row.bmpFile << "'");
    EXPECT_EQ(DifferingPixels(Pixels(engine.WorkSurface), MakeTestPattern(1024, 768, salt)), 0);
    EXPECT_EQ(engine.ImageMode == ImageFromFile, row.source != Source::Desktop);
    const auto& loads = saver.Surfaces->Loads();
    ASSERT_FALSE(loads.empty());
    EXPECT_EQ(loads[0], kDefaultPictureName) << "the default file is always tried first";
    if (row.source == Source::BmpFile) {
      EXPECT_EQ(loads, (std::vector<std::string>{kDefaultPictureName, kPath}));
    }
    if (row.source == Source::DefaultFile) {
      EXPECT_EQ(loads.size(), 1u) << "read once";
    }
  }
}

TEST(PuzzleSetUp, EmptySlotAndFill) {
  // picture | backcolor (0: absent) | ImageMode | HoleTile | FillBrush | brush left in the window
  const struct {
    bool picture;
    uint32_t backColor;
    uint8_t imageMode;
    bool holeTile;
    Brush fill;
    Brush windowBrush;
  } rows[] = {
      {true, 2, ImageFromFile, false, Brush::Black, Brush::Black},
      {true, 0, ImageFromFile, false, Brush::White, Brush::White},
      {true, 1, ImageFromFile, false, Brush::White, Brush::White},
      {false, 2, ImageFromDesktopDark, true, Brush::Black, Brush::White},
      {false, 0, ImageFromDesktopDark, true, Brush::Black, Brush::White},
      {false, 1, ImageFromDesktop, false, Brush::White, Brush::White},
      {false, 3, ImageFromDesktop, false, Brush::White, Brush::White},
  };
  for (const auto& row : rows) {
    MemorySaver saver({1024, 768});
    if (row.picture) GivePicture(saver, 1024, 768);
    if (row.backColor != 0) saver.SetCode(kBackColor, row.backColor);
    saver.Create();
    const PuzzleEngine& engine = saver.Engine;
    SCOPED_TRACE(testing::Message() << "picture " << row.picture << " backcolor " << row.backColor);
    EXPECT_EQ(engine.ImageMode, row.imageMode);
    EXPECT_EQ(engine.HoleTile != nullptr, row.holeTile);
    EXPECT_EQ(engine.FillBrush, row.fill);
    EXPECT_EQ(Pixels(engine.WorkSurface).SelectedBrush, row.fill);
    EXPECT_EQ(saver.Window.Client.SelectedBrush, row.windowBrush);
    if (row.holeTile) {
      EXPECT_TRUE(IsUniform(Pixels(engine.HoleTile), 0, 0, 128, 128, kBlack));
    }
    EXPECT_EQ(saver.Surfaces->LiveObjects(), row.holeTile ? 3u : 2u) << "SourceSurface released";
  }
}

// Pristine(x, y) must be picture(x mod w, y mod h).
int64_t TilingErrors(const MemorySurface& pristine, const MemorySurface& picture) {
  int64_t errors = 0;
  for (int32_t y = 0; y < pristine.Height; ++y) {
    for (int32_t x = 0; x < pristine.Width; ++x) {
      errors += pristine.At(x, y) != picture.At(x % picture.Width, y % picture.Height);
    }
  }
  return errors;
}

// The pattern picture fitted to width x height by the scaler itself.
MemorySurface ScaledPattern(int32_t pictureWidth, int32_t pictureHeight, uint32_t salt,
                            int32_t width, int32_t height) {
  const MemorySurface pattern = MakeTestPattern(pictureWidth, pictureHeight, salt);
  std::map<std::string, std::vector<uint8_t>> files = {{"p.bmp", EncodeBmp(pattern)}};
  MemorySurfaceLayer loader([&](const std::string& path, std::vector<uint8_t>& bytes) {
    bytes = files[path];
    return true;
  });
  Picture picture = loader.LoadPicture("p.bmp");
  MemorySurface scaled(width, height);
  EXPECT_TRUE(loader.DrawPicture(AsCanvas(&scaled), width, height, picture));
  loader.ReleasePicture(picture);
  return scaled;
}

TEST(PuzzleSetUp, PicturesScaledToTheScreenOrRepeated) {
  // picture | parallel (0: absent) | scaled to the screen, else repeated from the corner
  const struct {
    int32_t width, height;
    uint32_t parallel;
    bool scaled;
  } rows[] = {
      {640, 480, 0, true},    {640, 480, 2, true},    {640, 480, 1, false},  {64, 48, 0, true},
      {63, 47, 0, false},     {160, 110, 0, false},   {160, 130, 0, false},  {160, 120, 0, true},
      {1920, 1080, 0, false}, {2048, 1536, 0, true},  {300, 200, 0, false},  {1024, 768, 1, false},
  };
  for (const auto& row : rows) {
    MemorySaver saver({1024, 768});
    GivePicture(saver, row.width, row.height, 0x333);
    if (row.parallel != 0) saver.SetCode(kParallel, row.parallel);
    saver.Create();
    SCOPED_TRACE(testing::Message() << row.width << "x" << row.height << " parallel " << row.parallel);
    const MemorySurface picture = MakeTestPattern(row.width, row.height, 0x333);
    const MemorySurface& pristine = Pixels(saver.Engine.WorkSurface);
    EXPECT_EQ(saver.Surfaces->Loads().size(), 1u);
    EXPECT_EQ(saver.Surfaces->Scalings, row.scaled ? 1 : 0);
    if (row.scaled) {
      EXPECT_EQ(DifferingPixels(pristine, ScaledPattern(row.width, row.height, 0x333, 1024, 768)), 0);
    } else {
      EXPECT_EQ(TilingErrors(pristine, picture), 0);
    }
    // The corner that each solve puts back is the picture's as spread.
    const MemorySurface& corner = Pixels(saver.Engine.CornerPatch);
    EXPECT_EQ(DifferingPixels(corner, pristine, 0, 0, 256, 256), 0);
  }
}

TEST(PuzzleSetUp, ScreenShapeLimits) {
  // screen width | picture | of screen shape
  const struct {
    int32_t screenWidth, width, height;
    int shaped;
  } rows[] = {
      {1024, 160, 110, 0},  {1024, 160, 130, 0},   {1024, 160, 120, 1},   {2575, 160, 120, 1},
      {2576, 160, 120, 0},  {1024, 64, 48, 1},     {1024, 63, 47, 0},     {1024, 1280, 1024, 1},
      {1024, 100, 100, 0},  {1024, 1680, 1050, 0}, {1024, 1920, 1080, 0}, {1024, 2048, 1536, 1},
  };
  for (const auto& row : rows) {
    MemorySaver saver({row.screenWidth, 768});
    saver.Engine.ScreenWidth = row.screenWidth;
    saver.Files["p.bmp"] = PatternBmp(row.width, row.height);
    Picture picture = saver.Surfaces->LoadPicture("p.bmp");
    EXPECT_EQ(IsScreenShapedPicture(saver.Engine, picture), row.shaped)
        << row.width << "x" << row.height << " on " << row.screenWidth;
    saver.Surfaces->ReleasePicture(picture);
  }
}

TEST(PuzzleSetUp, DesktopCaptureIsClippedToTheDisplay) {
  // desktop rectangle | part of the display captured (left, top, width, height)
  const struct {
    ScreenRect rect;
    int32_t left, top, width, height;
  } rows[] = {
      {{0, 0, 1024, 768}, 0, 0, 1024, 768},
      {{-100, -50, 1024, 768}, 0, 0, 1024, 768},
      {{0, 0, 1300, 900}, 0, 0, 1024, 768},
      {{100, 50, 612, 434}, 100, 50, 512, 384},
      {{1100, 0, 1400, 768}, 0, 0, 0, 0},  // wholly off the display: nothing
  };
  for (const auto& row : rows) {
    MemorySaver saver({1024, 768});
    saver.Window.Desktop = row.rect;
    saver.Create();
    SCOPED_TRACE(testing::Message() << row.rect.left << "," << row.rect.top << " - "
                                    << row.rect.right << "," << row.rect.bottom);
    const MemorySurface& pristine = Pixels(saver.Engine.WorkSurface);
    if (row.width == 0) {
      EXPECT_TRUE(IsUniform(pristine, 0, 0, 1024, 768, kBlack));
      continue;
    }
    MemorySurface captured(row.width, row.height);
    CopyPixels(captured, 0, 0, row.width, row.height, saver.Window.Display, row.left, row.top);
    EXPECT_EQ(TilingErrors(pristine, captured), 0);
    EXPECT_EQ(saver.Window.DisplaysOpen, 0);
  }
}

// Pictures whose size cannot be read, or is given as `reported`.
class UnreadableSizes final : public MemorySurfaceLayer {
 public:
  UnreadableSizes(FileReader reader, bool readable, PixelSize reported)
      : MemorySurfaceLayer(std::move(reader)), readable_(readable), reported_(reported) {}
  bool PictureSize(Picture, PixelSize* size) override {
    *size = reported_;
    return readable_;
  }

 private:
  bool readable_;
  PixelSize reported_;
};

TEST(PuzzleSetUp, PicturesThatCannotBeUsedFallBackToTheDesktop) {
  // size readable | size reported | ImageMode
  const struct {
    bool readable;
    PixelSize size;
  } rows[] = {{false, {640, 480}}, {true, {0, 480}}, {true, {640, 0}}, {true, {-5, -5}}};
  for (const auto& row : rows) {
    MemorySaver saver({1024, 768});
    GivePicture(saver, 640, 480);
    UnreadableSizes layer(saver.Reader, row.readable, row.size);
    PuzzleEngine engine;
    engine.Surfaces = &layer;
    engine.Services = &saver.Window;
    const SaverSettings settings = ReadSaverSettings(saver.Store);
    ScenePicture picture = LoadScenePicture(layer, settings);
    EXPECT_EQ(picture.picture, nullptr);
    SetUpPuzzle(engine, settings, saver.Handle(),
               saver.Window.PuzzleAreas(saver.Handle()).area[0], picture);
    SCOPED_TRACE(testing::Message() << row.readable << " " << row.size.width << "x" << row.size.height);
    EXPECT_EQ(engine.ImageMode, ImageFromDesktopDark);
    EXPECT_EQ(DifferingPixels(Pixels(engine.WorkSurface), saver.Window.Display), 0);
    TearDownPuzzle(engine);
    EXPECT_EQ(layer.LiveObjects(), 0u) << "the unusable picture was released";
  }
}

TEST(PuzzleSetUp, AScalerWithoutMemoryLeavesThePictureRepeatedAtItsOwnSize) {
  MemorySaver saver({1024, 768});
  GivePicture(saver, 640, 480);
  saver.Surfaces->RefuseScaling = true;
  saver.Create();
  EXPECT_EQ(saver.Surfaces->Scalings, 1);
  EXPECT_EQ(saver.Engine.ImageMode, ImageFromFile);
  EXPECT_TRUE(IsPuzzleReady(saver.Engine));
  EXPECT_EQ(TilingErrors(Pixels(saver.Engine.WorkSurface), MakeTestPattern(640, 480)), 0);
}

TEST(PuzzleSetUp, LifecycleOfTheSceneAndItsSurfaces) {
  for (bool picture : {true, false}) {
    MemorySaver saver({800, 600});
    if (picture) GivePicture(saver, 800, 600);
    saver.Create();
    EXPECT_EQ(saver.Engine.State.PhaseCounter, -150);
    EXPECT_EQ(saver.Engine.State.PauseThreshold, -150);
    EXPECT_EQ(saver.Engine.State.SlideStep, 10);
    EXPECT_EQ(saver.Engine.State.ShuffleCount, 200);
    EXPECT_TRUE(saver.TimerOn);
    EXPECT_EQ(saver.Paints, 1);
    EXPECT_EQ(saver.Window.ContextsOut, 0);
    EXPECT_EQ(saver.Window.DisplaysOpen, 0);
    EXPECT_EQ(saver.Engine.SourceSurface, nullptr);
    saver.Tick();
    saver.Destroy();
    EXPECT_EQ(saver.Surfaces->LiveObjects(), 0u);
  }
}

// Where the picture comes from | surfaces made by a set-up that succeeds.
struct RefusalRow {
  const char* name;
  int32_t pictureWidth;  // 0: no picture file, a desktop capture
  int32_t pictureHeight;
  int backColor;         // 0: absent
  int surfaces;
};

const RefusalRow kRefusalRows[] = {
    {"picture of the screen's size", 256, 192, 0, 2},  // the picture's surface is Work; the corner
    {"smaller picture",              100, 192, 0, 2},  // Work, the picture drawn in; the corner
    {"stretched picture",            128,  96, 0, 2},  // Work, the picture scaled in; the corner
    {"desktop with a black slot",      0,   0, 0, 3},  // the capture is Work; HoleTile, the corner
    {"desktop with a white slot",      0,   0, 1, 2},  // the capture is Work; the corner
};

// A saver whose n-th surface cannot be made, or whose window context and
// display cannot be had (n = 0), ticked through what would be a whole cycle.
struct RefusedSaver {
  RefusedSaver(const RefusalRow& row, int n) : saver({256, 192}) {
    if (row.pictureWidth != 0) GivePicture(saver, row.pictureWidth, row.pictureHeight);
    if (row.backColor != 0) saver.SetCode(kBackColor, static_cast<uint32_t>(row.backColor));
    if (n == 0) {
      saver.Window.RefuseContexts = true;
    } else {
      saver.Surfaces->RefusedSurfaces.insert(n);
    }
    saver.Create();
    for (int tick = 0; tick < 400; ++tick) saver.Tick();
    saver.Paint();  // as after the window was covered and uncovered
  }
  MemorySaver saver;
};

TEST(PuzzleSetUp, SurfacesThatCannotBeMadeLeaveTheWindowBlackAndNothingHeld) {
  for (const auto& row : kRefusalRows) {
    {
      MemorySaver whole({256, 192});
      if (row.pictureWidth != 0) GivePicture(whole, row.pictureWidth, row.pictureHeight);
      if (row.backColor != 0) whole.SetCode(kBackColor, static_cast<uint32_t>(row.backColor));
      whole.Create();
      ASSERT_EQ(whole.Surfaces->SurfacesAskedFor(), row.surfaces) << row.name;
    }
    for (int n = 0; n <= row.surfaces; ++n) {
      SCOPED_TRACE(testing::Message() << row.name << ", refused: "
                                      << (n == 0 ? std::string("the contexts")
                                                 : "surface " + std::to_string(n)));
      RefusedSaver refused(row, n);
      MemorySaver& saver = refused.saver;
      EXPECT_FALSE(IsPuzzleReady(saver.Engine));
      EXPECT_FALSE(saver.TimerOn) << "no ticks for a scene that is not there";
      EXPECT_TRUE(IsUniform(saver.Window.Client, 0, 0, 256, 192, kBlack));
      EXPECT_EQ(saver.Surfaces->LiveObjects(), 0u) << "what was made is released at once";
      EXPECT_EQ(saver.Window.ContextsOut, 0);
      EXPECT_EQ(saver.Window.DisplaysOpen, 0);
      saver.Destroy();
    }
  }
}

TEST(PuzzleSetUp, AWindowContextLostAfterSetUpDrawsNothingAndGoesOn) {
  MemorySaver saver({256, 192});
  GivePicture(saver, 256, 192);
  saver.Create();
  const MemorySurface before = saver.Window.Client;
  saver.Window.RefuseContexts = true;
  for (int tick = 0; tick < 400; ++tick) saver.Tick();
  EXPECT_EQ(DifferingPixels(saver.Window.Client, before), 0);
  EXPECT_EQ(saver.Engine.State.PhaseCounter, 1) << "solving";
  EXPECT_LT(saver.Engine.State.MoveIndex, 200) << "the solve went on unseen";
  saver.Window.RefuseContexts = false;
  saver.Destroy();
  EXPECT_EQ(saver.Surfaces->LiveObjects(), 0u);
}

}  // namespace

}  // namespace tessalander
