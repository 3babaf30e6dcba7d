#include "tools/render_options.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "engine/puzzle_areas.h"

namespace tessalander {

namespace {

bool ParseInt(const std::string& text, int64_t* value) {
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, *value);
  return result.ec == std::errc() && result.ptr == end;
}

// "W" "x" "H", both at least 1 and at most 16384.
bool ParseSize(const std::string& text, PixelSize* size) {
  const size_t x = text.find('x');
  int64_t width = 0, height = 0;
  if (x == std::string::npos || !ParseInt(text.substr(0, x), &width) ||
      !ParseInt(text.substr(x + 1), &height)) {
    return false;
  }
  if (width < 1 || height < 1 || width > 16384 || height > 16384) return false;
  *size = {static_cast<int32_t>(width), static_cast<int32_t>(height)};
  return true;
}

// "W" "x" "H" then "+X" or "-X", then "+Y" or "-Y": a monitor in screen
// coordinates, within 16384 pixels of the origin each way.
bool ParseMonitor(const std::string& text, ScreenRect* monitor) {
  const size_t signX = text.find_first_of("+-");
  const size_t signY = signX == std::string::npos ? signX : text.find_first_of("+-", signX + 1);
  PixelSize size;
  int64_t x = 0, y = 0;
  if (signY == std::string::npos || !ParseSize(text.substr(0, signX), &size) ||
      !ParseInt(text.substr(signX + 1, signY - signX - 1), &x) || !ParseInt(text.substr(signY + 1), &y) ||
      text[signX + 1] == '-' || text[signY + 1] == '-') {
    return false;
  }
  if (text[signX] == '-') x = -x;
  if (text[signY] == '-') y = -y;
  if (x < -16384 || x > 16384 || y < -16384 || y > 16384) return false;
  const int32_t left = static_cast<int32_t>(x), top = static_cast<int32_t>(y);
  *monitor = {left, top, left + size.width, top + size.height};
  return true;
}

// Comma-separated monitors, at most as many as the saver plays on; the first, the primary, at the origin,
// and the virtual screen that holds them all at most 16384 pixels each way.
bool ParseMonitors(const std::string& text, std::vector<ScreenRect>* monitors) {
  monitors->clear();
  ScreenRect box;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = text.find(',', start);
    ScreenRect monitor;
    if (!ParseMonitor(text.substr(start, comma == std::string::npos ? comma : comma - start), &monitor) ||
        monitors->size() == static_cast<size_t>(kMostMonitors)) {
      return false;
    }
    if (monitors->empty()) box = monitor;
    box = {std::min(box.left, monitor.left), std::min(box.top, monitor.top),
           std::max(box.right, monitor.right), std::max(box.bottom, monitor.bottom)};
    monitors->push_back(monitor);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return !monitors->empty() && monitors->front().left == 0 && monitors->front().top == 0 &&
         box.right - box.left <= 16384 && box.bottom - box.top <= 16384;
}

// "A" or "A-B" with A <= B.
bool ParseRange(const std::string& text, int64_t* first, int64_t* last) {
  const size_t dash = text.find('-', 1);
  if (dash == std::string::npos) {
    if (!ParseInt(text, first)) return false;
    *last = *first;
    return true;
  }
  return ParseInt(text.substr(0, dash), first) && ParseInt(text.substr(dash + 1), last) &&
         *first <= *last;
}

// Comma-separated ticks and ranges of ticks, none below 0, at most a million.
bool ParseTicks(const std::string& text, std::set<int64_t>* ticks) {
  ticks->clear();
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = text.find(',', start);
    const std::string item = text.substr(start, comma == std::string::npos ? comma : comma - start);
    int64_t first = 0, last = 0;
    if (!ParseRange(item, &first, &last) || first < 0 || last > 1000000) return false;
    for (int64_t tick = first; tick <= last; ++tick) ticks->insert(tick);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return !ticks->empty();
}

}  // namespace

std::optional<RenderOptions> ParseRenderOptions(const std::vector<std::string>& args,
                                                std::string* error) {
  RenderOptions options;
  bool screenGiven = false;  // --screen and --monitors exclude each other
  static const std::set<std::string> kCodeNames = {"speed", "shufflenum", "backcolor", "getimage",
                                                   "parallel"};
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](std::string* out) {
      if (i + 1 >= args.size()) {
        *error = arg + " needs a value";
        return false;
      }
      *out = args[++i];
      return true;
    };
    std::string text;
    if (arg == "--work") {
      options.Work = true;
      continue;
    }
    if (arg.rfind("--", 0) != 0 || !value(&text)) {
      if (error->empty()) *error = "unknown argument " + arg;
      return std::nullopt;
    }
    const std::string name = arg.substr(2);
    screenGiven = screenGiven || name == "screen";
    bool ok = true;
    if (name == "screen") {
      ok = ParseSize(text, &options.Screen) && options.Monitors.empty();
    } else if (name == "monitors") {
      ok = ParseMonitors(text, &options.Monitors) && !screenGiven;
    } else if (name == "picture") {
      options.PicturePath = text;
    } else if (name == "desktop") {
      options.DesktopPath = text;
    } else if (name == "bmpfile") {
      options.BmpFile = text;
    } else if (kCodeNames.count(name) != 0) {
      int64_t code = 0;
      ok = ParseInt(text, &code) && code >= 0 && code <= std::numeric_limits<uint32_t>::max();
      options.Codes[name] = static_cast<uint32_t>(code);
    } else if (name == "seed") {
      ok = ParseRange(text, &options.FirstSeed, &options.LastSeed) && options.FirstSeed >= 0 &&
           options.LastSeed - options.FirstSeed <= 1000;
    } else if (name == "ticks") {
      ok = ParseTicks(text, &options.Ticks);
    } else if (name == "colours") {
      ok = text == "256";
      options.PaletteDisplay = ok;
    } else if (name == "out") {
      options.OutDir = text;
    } else if (name == "match") {
      options.MatchPath = text;
    } else if (name == "pattern") {
      options.PatternPath = text;
      ok = i + 1 < args.size() && ParseSize(args[++i], &options.PatternSize);
    } else {
      *error = "unknown option " + arg;
      return std::nullopt;
    }
    if (!ok) {
      *error = "bad value for " + arg;
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace tessalander
