// tessalander-render: runs the engine on memory surfaces with a simulated
// window, on one monitor or several, and writes what the window shows at
// chosen ticks. Tick 0 is the window as its creation leaves it; tick n follows
// the n-th timer tick and its paint. The clock starts at the seed's second and
// advances 50 ms per tick.
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/memory/image_files.h"
#include "tools/memory_saver.h"
#include "tools/render_options.h"

namespace tessalander {

namespace {

std::string FramePath(const RenderOptions& options, const char* kind, int64_t seed, int64_t tick) {
  char name[96];
  if (options.FirstSeed == options.LastSeed) {
    std::snprintf(name, sizeof name, "/%s-%05" PRId64 ".png", kind, tick);
  } else {
    std::snprintf(name, sizeof name, "/%s-%" PRId64 "-%05" PRId64 ".png", kind, seed, tick);
  }
  return options.OutDir + name;
}

// Which pixels of the window lie on a monitor, row by row.
struct Coverage {
  Coverage(PixelSize window, const PuzzleAreaList& areas)
      : Width(window.width), Inside(static_cast<size_t>(window.width) * window.height, 0),
        RowInside(static_cast<size_t>(window.height), true) {
    for (int i = 0; i < areas.count; ++i) {
      const PuzzleArea& area = areas.area[i];
      const ScreenRect r = Intersection(
          {area.left, area.top, area.left + area.monitor.right - area.monitor.left,
           area.top + area.monitor.bottom - area.monitor.top},
          {0, 0, window.width, window.height});
      for (int32_t y = r.top; y < r.bottom; ++y) {
        for (int32_t x = r.left; x < r.right; ++x) Inside[static_cast<size_t>(y) * Width + x] = 1;
      }
    }
    for (int32_t y = 0; y < window.height; ++y) {
      for (int32_t x = 0; x < window.width; ++x) {
        if (!Inside[static_cast<size_t>(y) * Width + x]) RowInside[y] = false;
      }
    }
  }
  int32_t Width;
  std::vector<uint8_t> Inside;
  std::vector<bool> RowInside;
};

// Pixels of the window that differ from the screenshot (which may be larger:
// only the window's area counts), the screenshot's top-left corner being the
// window's. Outside the monitors a screenshot holds no pixels the window drew
// (X.Org keeps stale rows there), so there the window's own pixels count when
// they are not black.
int64_t Differences(const MemorySurface& window, const Coverage& coverage, const MemorySurface& shot) {
  if (shot.Width < window.Width || shot.Height < window.Height) return INT64_MAX;
  int64_t count = 0;
  for (int32_t y = 0; y < window.Height; ++y) {
    const uint32_t* a = &window.At(0, y);
    const uint32_t* b = &shot.At(0, y);
    if (coverage.RowInside[y] && std::memcmp(a, b, static_cast<size_t>(window.Width) * 4) == 0) {
      continue;
    }
    const uint8_t* inside = &coverage.Inside[static_cast<size_t>(y) * coverage.Width];
    for (int32_t x = 0; x < window.Width; ++x) count += a[x] != (inside[x] ? b[x] : kBlack);
  }
  return count;
}

bool WritePng(const std::string& path, const MemorySurface& surface) {
  if (WritePngFile(path, surface)) return true;
  std::cerr << "cannot write " << path << "\n";
  return false;
}

struct Best {
  int64_t differences = INT64_MAX;
  int64_t seed = 0;
  int64_t tick = 0;
  MemorySurface frame;
};

int Run(const RenderOptions& options) {
  if (!options.PatternPath.empty()) {
    // The salt keeps pure black and pure white out of any picture within
    // 3840 x 1920, so the empty slot is the only area of either colour.
    const MemorySurface pattern =
        MakeTestPattern(options.PatternSize.width, options.PatternSize.height, 0x808080);
    if (WriteBmpFile(options.PatternPath, pattern)) return 0;
    std::cerr << "cannot write " << options.PatternPath << "\n";
    return 2;
  }

  MemorySurface desktop;
  if (!options.DesktopPath.empty()) {
    std::optional<MemorySurface> read = ReadImageFile(options.DesktopPath);
    if (!read) {
      std::cerr << "cannot read " << options.DesktopPath << "\n";
      return 2;
    }
    desktop = std::move(*read);
  }
  std::optional<MemorySurface> shot;
  if (!options.MatchPath.empty()) {
    shot = ReadImageFile(options.MatchPath);
    if (!shot) {
      std::cerr << "cannot read " << options.MatchPath << "\n";
      return 2;
    }
  }
  // A picture that exists but cannot be read (a directory, say) is no
  // picture, as for the saver; one that does not exist is a mistyped path.
  std::vector<uint8_t> picture;
  bool havePicture = false;
  if (!options.PicturePath.empty()) {
    havePicture = ReadDiskFile(options.PicturePath, picture);
    if (!havePicture && !std::filesystem::exists(options.PicturePath)) {
      std::cerr << "no such file: " << options.PicturePath << "\n";
      return 2;
    }
    if (!havePicture) std::cerr << "unreadable, so no picture: " << options.PicturePath << "\n";
  }

  Best best;
  std::optional<Coverage> coverage;
  for (int64_t seed = options.FirstSeed; seed <= options.LastSeed; ++seed) {
    const std::vector<ScreenRect> monitors =
        options.Monitors.empty()
            ? std::vector<ScreenRect>{{0, 0, options.Screen.width, options.Screen.height}}
            : options.Monitors;
    MemorySaver saver(monitors, desktop);
    saver.Window.StartSeconds = seed;
    saver.Surfaces->PaletteDisplay = options.PaletteDisplay;
    if (havePicture) saver.Files["TessalanderImage.bmp"] = picture;
    std::vector<uint8_t> bmpFile;
    if (!options.BmpFile.empty() && ReadDiskFile(options.BmpFile, bmpFile)) {
      saver.Files[options.BmpFile] = bmpFile;
    }
    for (const auto& [name, code] : options.Codes) saver.SetCode(name.c_str(), code);
    if (!options.BmpFile.empty()) saver.SetText("bmpfile", options.BmpFile);

    saver.Create();
    const int64_t lastTick = *options.Ticks.rbegin();
    for (int64_t tick = 0; tick <= lastTick; ++tick) {
      if (tick > 0) saver.Tick();
      if (options.Ticks.count(tick) == 0) continue;
      if (shot) {
        if (!coverage) {
          coverage.emplace(PixelSize{saver.Window.Client.Width, saver.Window.Client.Height},
                           saver.Window.PuzzleAreas(saver.Handle()));
        }
        const int64_t differences = Differences(saver.Window.Client, *coverage, *shot);
        if (differences < best.differences) best = {differences, seed, tick, saver.Window.Client};
        if (differences == 0) break;
        continue;
      }
      // The frames are the output: one that cannot be written (no such
      // folder, say) ends the run with an error, not with success.
      if (!WritePng(FramePath(options, "frame", seed, tick), saver.Window.Client) ||
          (options.Work &&
           !WritePng(FramePath(options, "work", seed, tick), Pixels(saver.Engine.WorkSurface)))) {
        return 2;
      }
    }
    saver.Destroy();
    if (shot && best.differences == 0) break;
  }

  if (!shot) return 0;
  if (best.differences == 0) {
    std::printf("match seed=%" PRId64 " tick=%" PRId64 "\n", best.seed, best.tick);
    WritePng(options.OutDir + "/match.png", best.frame);
    return 0;
  }
  std::printf("no match; closest seed=%" PRId64 " tick=%" PRId64 " differing=%" PRId64 "\n",
              best.seed, best.tick, best.differences);
  if (best.frame.Width > 0) WritePng(options.OutDir + "/closest.png", best.frame);
  return 1;
}

}  // namespace

}  // namespace tessalander

int main(int argc, char** argv) {
  using namespace tessalander;
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::string error;
  const std::optional<RenderOptions> options = ParseRenderOptions(args, &error);
  if (!options || args.empty()) {
    if (!error.empty()) std::cerr << error << "\n";
    std::cerr << kRenderUsage;
    return 2;
  }
  // A screen or picture too large for the address space (a 16384 x 16384
  // screen in the 32-bit build) is an error of its own, not an abort.
  try {
    return Run(*options);
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
  std::cerr << "not enough memory for this screen and picture\n";
  return 2;
}
