#include "engine/tools/render_options.h"

#include <charconv>
#include <limits>

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
    bool ok = true;
    if (name == "screen") {
      ok = ParseSize(text, &options.Screen);
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
