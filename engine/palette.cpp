#include "engine/palette.h"

namespace tessalander {

namespace {

// The default palette of Windows' display drivers: the 16 VGA colours and
// four of Windows' own, in the system palette's first and last ten places.
constexpr uint32_t kFirstStatic[10] = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
                                       0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0};
constexpr uint32_t kLastStatic[10] = {0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00,
                                      0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

constexpr bool IsStatic(uint32_t colour) {
  for (uint32_t c : kFirstStatic) {
    if (c == colour) return true;
  }
  for (uint32_t c : kLastStatic) {
    if (c == colour) return true;
  }
  return false;
}

// The step of 8 levels each channel lies in.
constexpr uint32_t StepsOf(uint32_t colour) { return colour >> 3 & 0x1F1F1F; }

// A static or cube colour lies in the same steps.
constexpr bool StepTaken(uint32_t colour) {
  for (uint32_t c : kFirstStatic) {
    if (StepsOf(c) == StepsOf(colour)) return true;
  }
  for (uint32_t c : kLastStatic) {
    if (StepsOf(c) == StepsOf(colour)) return true;
  }
  for (int32_t level = 0; level <= 255; level += kCubeStep) {
    if (StepsOf(static_cast<uint32_t>(level) * 0x010101) == StepsOf(colour)) return true;
  }
  return false;
}

// Puts the entries in order into `entries` (when given) and counts the
// static, cube and grey ones.
struct Counts {
  int statics = 0, cube = 0, greys = 0;
};

constexpr Counts FillSaverPalette(uint32_t* entries) {
  Counts counts;
  int n = 0;
  auto add = [&](uint32_t colour, int& count) {
    if (entries != nullptr) entries[n] = colour;
    ++n;
    ++count;
  };
  for (uint32_t c : kFirstStatic) add(c, counts.statics);
  for (int32_t r = 0; r <= 255; r += kCubeStep) {
    for (int32_t g = 0; g <= 255; g += kCubeStep) {
      for (int32_t b = 0; b <= 255; b += kCubeStep) {
        const auto colour = static_cast<uint32_t>(r << 16 | g << 8 | b);
        if (!IsStatic(colour)) add(colour, counts.cube);
      }
    }
  }
  for (uint32_t step = 0; step < 32; ++step) {
    const uint32_t grey = (step * 8 + 4) * 0x010101;
    if (!StepTaken(grey)) add(grey, counts.greys);
  }
  for (uint32_t c : kLastStatic) add(c, counts.statics);
  return counts;
}

constexpr Counts kCounts = FillSaverPalette(nullptr);
static_assert(kCounts.statics == kStaticColourCount && kCounts.cube == kCubeEntryCount &&
              kCounts.greys == kGreyEntryCount);

constexpr std::array<uint32_t, kSaverPaletteSize> MakeSaverPalette() {
  std::array<uint32_t, kSaverPaletteSize> entries{};
  FillSaverPalette(entries.data());
  return entries;
}

}  // namespace

constexpr std::array<uint32_t, kSaverPaletteSize> kSaverPalette = MakeSaverPalette();

PaletteUse ChoosePalette(bool pictureFile, bool preview) {
  if (pictureFile) return {PaletteKind::Saver, preview};
  if (preview) return {PaletteKind::Default, false};
  return {PaletteKind::Captured, false};
}

}  // namespace tessalander
