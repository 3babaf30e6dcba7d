// The command line of tessalander-render, the headless renderer: the engine
// on memory surfaces, writing the window's frames as PNG files, or finding
// the frame that equals a screenshot.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/surface_layer.h"
#include "common/screen_rect.h"

namespace tessalander {

inline constexpr char kRenderUsage[] =
    "usage: tessalander-render [options]\n"
    "  --screen WxH        screen size (default 1024x768)\n"
    "  --monitors LIST     several monitors instead, e.g. 1024x768+0+0,800x600-800+0: each\n"
    "                      WxH+X+Y in screen coordinates, the primary first and at +0+0;\n"
    "                      frames show the whole window, the virtual screen\n"
    "  --picture FILE      the BMP found as TessalanderImage.bmp in the working directory\n"
    "                      (default: none, so the settings or the desktop decide); one\n"
    "                      that is no readable bitmap counts as none, as for the saver\n"
    "  --desktop FILE      what the display shows for a desktop capture, BMP or PNG, from\n"
    "                      the virtual screen's top-left corner (default: a test pattern)\n"
    "  --speed N --shufflenum N --backcolor N --getimage N --parallel N\n"
    "                      stored setting codes (default: none stored)\n"
    "  --bmpfile PATH      the stored picture path, read from the disk; a missing or\n"
    "                      unreadable file gives no picture, as for the saver\n"
    "  --seed S[-T]        calendar second(s) of the first shuffle (default 1)\n"
    "  --ticks LIST        ticks to write or compare, e.g. 0,5,10-20 (default 0)\n"
    "  --work              also write the primary's WorkSurface at those ticks\n"
    "  --colours 256       a display of 256 colours, as the saver shows it there with its\n"
    "                      palette realised: pictures dithered to the palette's colours\n"
    "                      (default: 24 bits, every colour as it is)\n"
    "  --out DIR           where the PNG files go (default .)\n"
    "  --match SHOT        find the tick and seed whose window equals the screenshot on\n"
    "                      every monitor and is black outside them (a screenshot has no\n"
    "                      pixels there); exit 0 and write DIR/match.png when found,\n"
    "                      else exit 1\n"
    "  --pattern FILE WxH  write a test picture as a 24-bit BMP and exit; no two pixels\n"
    "                      share a colour; within 3840x1920 none is black or white\n";

struct RenderOptions {
  PixelSize Screen{1024, 768};
  // In screen coordinates, the primary first; empty: one monitor of Screen.
  std::vector<ScreenRect> Monitors;
  std::string PicturePath;
  std::string DesktopPath;
  std::string BmpFile;
  std::map<std::string, uint32_t> Codes;  // setting name -> stored code
  int64_t FirstSeed = 1;
  int64_t LastSeed = 1;
  std::set<int64_t> Ticks{0};
  bool Work = false;
  // A display of 256 colours.
  bool PaletteDisplay = false;
  std::string OutDir = ".";
  std::string MatchPath;
  std::string PatternPath;
  PixelSize PatternSize;
};

// Nothing, with a reason in *error, for a line it cannot use.
std::optional<RenderOptions> ParseRenderOptions(const std::vector<std::string>& args,
                                                std::string* error);

}  // namespace tessalander
