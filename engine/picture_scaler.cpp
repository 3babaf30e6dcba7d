#include "engine/picture_scaler.h"

#include <bit>
#include <cstdint>
#include <cstdlib>

namespace tessalander {

namespace {

// Weights are fixed-point fractions of one; each output pixel's add up to
// exactly one, so a plain colour stays exactly itself. The first pass keeps
// 8 fraction bits per channel for the second.
constexpr int kWeightBits = 14;
constexpr int64_t kOne = int64_t{1} << kWeightBits;
constexpr int kKeptBits = 8;
constexpr int kFirstShift = kWeightBits - kKeptBits;
constexpr int kSecondShift = kWeightBits + kKeptBits;

// One axis: output index i takes count[i] source pixels from first[i], with
// the weights weight[i * taps ...].
struct Axis {
  int32_t* first = nullptr;
  int32_t* count = nullptr;
  uint16_t* weight = nullptr;
  int32_t taps = 0;
};

void Release(Axis& axis) {
  std::free(axis.first);
  std::free(axis.count);
  std::free(axis.weight);
  axis = Axis();
}

// Room for count elements of size bytes each, or nullptr (also when the
// product does not fit the address space).
void* Allocate(int64_t count, int64_t size) {
  if (count <= 0 || size <= 0 || count > INT64_MAX / size) return nullptr;
  const uint64_t bytes = static_cast<uint64_t>(count * size);
  if (bytes > SIZE_MAX) return nullptr;
  return std::malloc(static_cast<size_t>(bytes));
}

// Drops taps of weight 0 from both ends, so that no row is read for nothing.
void Trim(Axis& axis, int32_t i) {
  uint16_t* w = axis.weight + static_cast<int64_t>(i) * axis.taps;
  int32_t& n = axis.count[i];
  int32_t lead = 0;
  while (lead < n - 1 && w[lead] == 0) ++lead;
  for (int32_t k = lead; k < n; ++k) w[k - lead] = w[k];
  axis.first[i] += lead;
  n -= lead;
  while (n > 1 && w[n - 1] == 0) --n;
}

// Shrinking (or the same size): output pixel i covers [i * from, (i + 1) *
// from) in units of 1/to of a source pixel, source pixel j covers [j * to,
// (j + 1) * to). Each weight is the rounded share of the running sum of the
// overlaps, so the weights add up to exactly one.
void FillAreaWeights(Axis& axis, int64_t from, int64_t to) {
  for (int64_t i = 0; i < to; ++i) {
    const int64_t low = i * from;
    const int64_t high = low + from;
    const int64_t first = low / to;
    const int64_t last = (high - 1) / to;
    uint16_t* w = axis.weight + i * axis.taps;
    int64_t covered = 0;
    int64_t given = 0;
    for (int64_t j = first; j <= last; ++j) {
      const int64_t start = j * to > low ? j * to : low;
      const int64_t end = (j + 1) * to < high ? (j + 1) * to : high;
      covered += end - start;
      const int64_t share = (covered * kOne + from / 2) / from;
      w[j - first] = static_cast<uint16_t>(share - given);
      given = share;
    }
    axis.first[i] = static_cast<int32_t>(first);
    axis.count[i] = static_cast<int32_t>(last - first + 1);
    Trim(axis, static_cast<int32_t>(i));
  }
}

// Growing: output pixel i's centre lies at ((2i + 1) * from - to) / (2 * to)
// in source pixels; before the first source centre and after the last, the
// edge pixel alone.
void FillBilinearWeights(Axis& axis, int64_t from, int64_t to) {
  for (int64_t i = 0; i < to; ++i) {
    const int64_t centre = (2 * i + 1) * from - to;
    uint16_t* w = axis.weight + i * axis.taps;
    int64_t first = 0;
    int64_t right = 0;
    if (centre > 0) {
      first = centre / (2 * to);
      right = ((centre % (2 * to)) * kOne + to) / (2 * to);
    }
    axis.first[i] = static_cast<int32_t>(first < from - 1 ? first : from - 1);
    w[0] = static_cast<uint16_t>(first < from - 1 ? kOne - right : kOne);
    axis.count[i] = 1;
    if (first < from - 1) {
      w[1] = static_cast<uint16_t>(right);
      axis.count[i] = 2;
      Trim(axis, static_cast<int32_t>(i));
    }
  }
}

bool MakeAxis(Axis& axis, int32_t from, int32_t to) {
  // An output pixel of a shrinking axis overlaps at most ceil(from / to) + 1
  // source pixels; no more than there are.
  if (to == from) {
    axis.taps = 1;
  } else {
    axis.taps = to < from ? static_cast<int32_t>((int64_t{from} + to - 1) / to + 1) : 2;
    if (axis.taps > from) axis.taps = from;
  }
  axis.first = static_cast<int32_t*>(Allocate(to, sizeof(int32_t)));
  axis.count = static_cast<int32_t*>(Allocate(to, sizeof(int32_t)));
  axis.weight = static_cast<uint16_t*>(Allocate(int64_t{to} * axis.taps, sizeof(uint16_t)));
  if (axis.first == nullptr || axis.count == nullptr || axis.weight == nullptr) {
    Release(axis);
    return false;
  }
  if (to <= from) {
    FillAreaWeights(axis, from, to);
  } else {
    FillBilinearWeights(axis, from, to);
  }
  return true;
}

// Gives every output pixel of the axis the same number of taps, its own
// within a window of `taps` source pixels that stays inside the source, the
// others weighing 0: the first pass's inner loop then has a fixed length.
void Widen(Axis& axis, int32_t from, int32_t to) {
  for (int32_t i = 0; i < to; ++i) {
    uint16_t* w = axis.weight + static_cast<int64_t>(i) * axis.taps;
    const int32_t start = axis.first[i] < from - axis.taps ? axis.first[i] : from - axis.taps;
    const int32_t shift = axis.first[i] - start;
    for (int32_t k = axis.taps - 1; k >= 0; --k) {
      const int32_t own = k - shift;
      w[k] = own >= 0 && own < axis.count[i] ? w[own] : 0;
    }
    axis.first[i] = start;
    axis.count[i] = axis.taps;
  }
}

// Rows between the passes keep four values per pixel, blue, green, red and
// one unused (0), so that the output's bytes fall out in place and a row is
// one run of values the compiler can vectorise.
constexpr int kLanes = 4;

// One output pixel's sums over its Taps taps (axis.taps when Taps is 0) of a
// row of `Stride` values per pixel, blue first.
template <int Stride, int Taps, typename Value>
inline void SumTaps(const Value* in, const Axis& axis, int32_t x, uint32_t half,
                    uint32_t (&sum)[3]) {
  const int32_t taps = Taps > 0 ? Taps : axis.taps;
  const Value* p = in + static_cast<int64_t>(axis.first[x]) * Stride;
  const uint16_t* w = axis.weight + static_cast<int64_t>(x) * taps;
  sum[0] = sum[1] = sum[2] = half;
  for (int32_t k = 0; k < taps; ++k, p += Stride) {
    sum[0] += uint32_t{w[k]} * p[0];
    sum[1] += uint32_t{w[k]} * p[1];
    sum[2] += uint32_t{w[k]} * p[2];
  }
}

// Across a source row, to kept values.
template <int BytesPerPixel, int Taps>
void AcrossToKept(const uint8_t* in, const Axis& axis, int32_t width, uint16_t* out) {
  for (int32_t x = 0; x < width; ++x, out += kLanes) {
    uint32_t sum[3];
    SumTaps<BytesPerPixel, Taps>(in, axis, x, 1u << (kFirstShift - 1), sum);
    out[0] = static_cast<uint16_t>(sum[0] >> kFirstShift);
    out[1] = static_cast<uint16_t>(sum[1] >> kFirstShift);
    out[2] = static_cast<uint16_t>(sum[2] >> kFirstShift);
    out[3] = 0;
  }
}

// A row of kept values as the last pass across reads them: blue and red of
// a pixel in the two halves of one 64-bit word, so that one multiplication
// weighs both, and green apart. No sum leaves its half: kept values stay
// below 2^16, weights below 2^15, and the weights of a pixel add up to one.
struct KeptPairs {
  uint64_t* blueRed;
  uint32_t* green;
};

// Across a row of kept values, to output pixels.
template <int Taps>
void AcrossToPixels(KeptPairs in, const Axis& axis, int32_t width, uint32_t* out) {
  constexpr uint64_t kHalf = 1u << (kSecondShift - 1);
  const int32_t taps = Taps > 0 ? Taps : axis.taps;
  for (int32_t x = 0; x < width; ++x) {
    const int64_t first = axis.first[x];
    const uint64_t* br = in.blueRed + first;
    const uint32_t* g = in.green + first;
    const uint16_t* w = axis.weight + static_cast<int64_t>(x) * taps;
    uint64_t blueRed = kHalf | kHalf << 32;
    uint32_t green = kHalf;
    for (int32_t k = 0; k < taps; ++k) {
      blueRed += w[k] * br[k];
      green += w[k] * g[k];
    }
    out[x] = static_cast<uint32_t>((blueRed & 0xFFFFFFFFu) >> kSecondShift) |
             (green >> kSecondShift) << 8 |
             static_cast<uint32_t>(blueRed >> (32 + kSecondShift)) << 16;
  }
}

// The same with the number of taps known when compiled, for the usual ones.
template <typename Row>
void Across(const Axis& axis, Row row) {
  switch (axis.taps) {
    case 1: return row.template operator()<1>();
    case 2: return row.template operator()<2>();
    case 3: return row.template operator()<3>();
    case 4: return row.template operator()<4>();
    default: return row.template operator()<0>();
  }
}

// Down, growing (or the same height): `count` rows of kept values blended
// into one output row, written byte by byte, a little-endian 0x00RRGGBB
// being blue, green, red, 0.
void BlendRows(const uint16_t* const* rows, const uint16_t* w, int32_t count, int32_t width,
               uint32_t* sums, uint32_t* out) {
  static_assert(std::endian::native == std::endian::little);
  constexpr uint32_t kHalf = 1u << (kSecondShift - 1);
  const int32_t values = kLanes * width;
  auto* bytes = reinterpret_cast<uint8_t*>(out);
  const uint16_t* a = rows[0];
  if (count == 1) {
    // The weight is one: only the kept fraction goes.
    for (int32_t i = 0; i < values; ++i)
      bytes[i] = static_cast<uint8_t>((a[i] + 128u) >> kKeptBits);
  } else if (count == 2) {
    const uint16_t* b = rows[1];
    const uint32_t wa = w[0], wb = w[1];
    for (int32_t i = 0; i < values; ++i) {
      bytes[i] = static_cast<uint8_t>((wa * a[i] + wb * b[i] + kHalf) >> kSecondShift);
    }
  } else {
    for (int32_t i = 0; i < values; ++i) sums[i] = kHalf + uint32_t{w[0]} * a[i];
    for (int32_t k = 1; k < count; ++k) {
      const uint16_t* row = rows[k];
      const uint32_t weight = w[k];
      for (int32_t i = 0; i < values; ++i) sums[i] += weight * row[i];
    }
    for (int32_t i = 0; i < values; ++i) bytes[i] = static_cast<uint8_t>(sums[i] >> kSecondShift);
  }
}

// Down, shrinking: a source row's share of an output row, added to its sums
// (or starting them); the unused value is summed with the rest and dropped.
template <int BytesPerPixel>
void AddRow(const uint8_t* in, uint32_t weight, int32_t width, bool start, uint32_t* sums) {
  if (BytesPerPixel == kLanes) {
    const int32_t values = kLanes * width;
    if (start) {
      for (int32_t i = 0; i < values; ++i) sums[i] = weight * in[i];
    } else {
      for (int32_t i = 0; i < values; ++i) sums[i] += weight * in[i];
    }
    return;
  }
  for (int32_t x = 0; x < width; ++x, in += BytesPerPixel, sums += kLanes) {
    for (int c = 0; c < 3; ++c) sums[c] = (start ? 0 : sums[c]) + weight * in[c];
    sums[3] = 0;
  }
}

// The sums as kept values, paired for the pass across.
void SumsToKept(const uint32_t* sums, int32_t width, KeptPairs kept) {
  constexpr uint32_t kHalf = 1u << (kFirstShift - 1);
  for (int32_t x = 0; x < width; ++x, sums += kLanes) {
    kept.blueRed[x] = (sums[0] + kHalf) >> kFirstShift | uint64_t{(sums[2] + kHalf) >> kFirstShift}
                                                             << 32;
    kept.green[x] = (sums[1] + kHalf) >> kFirstShift;
  }
}

// What one scaling holds besides its axes, all freed at the end.
struct Buffers {
  void* held[5] = {};
  int count = 0;
  template <typename T>
  T* Get(int64_t elements) {
    void* memory = Allocate(elements, sizeof(T));
    if (memory != nullptr) held[count++] = memory;
    return static_cast<T*>(memory);
  }
  ~Buffers() {
    for (int i = 0; i < count; ++i) std::free(held[i]);
  }
};

struct Axes {
  Axis across;
  Axis down;
  ~Axes() {
    Release(across);
    Release(down);
  }
};

// Growing or keeping the height: each source row is first scaled across and
// kept in a ring of as many rows as an output row blends.
template <int BytesPerPixel>
bool AcrossThenDown(const Axes& axes, ScalerInput& input, PixelSize to, ScalerOutput& output) {
  const int32_t ringRows = axes.down.taps;
  const int64_t rowValues = int64_t{kLanes} * to.width;
  Buffers buffers;
  uint16_t* ring = buffers.Get<uint16_t>(rowValues * ringRows);
  const uint16_t** rows = buffers.Get<const uint16_t*>(ringRows);
  uint32_t* sums = buffers.Get<uint32_t>(rowValues);
  if (ring == nullptr || rows == nullptr || sums == nullptr) return false;

  int32_t next = 0;  // the first source row not yet read
  for (int32_t y = 0; y < to.height; ++y) {
    const int32_t first = axes.down.first[y];
    const int32_t count = axes.down.count[y];
    if (next < first) next = first;
    // Every row this output row blends lies among the last ringRows read.
    for (; next < first + count; ++next) {
      const uint8_t* row = input.Row(next);
      if (row == nullptr) return false;
      uint16_t* slot = ring + (next % ringRows) * rowValues;
      Across(axes.across, [&]<int Taps>() {
        AcrossToKept<BytesPerPixel, Taps>(row, axes.across, to.width, slot);
      });
    }
    for (int32_t k = 0; k < count; ++k) rows[k] = ring + ((first + k) % ringRows) * rowValues;
    uint32_t* out = output.Row(y);
    if (out == nullptr) return false;
    BlendRows(rows, axes.down.weight + static_cast<int64_t>(y) * axes.down.taps, count, to.width,
              sums, out);
  }
  return true;
}

// Shrinking the height: source rows are summed down at the source's width
// first, each into the one or two output rows it lies in (an output row
// spans more than a source row), so that only output rows are scaled across.
template <int BytesPerPixel>
bool DownThenAcross(const Axes& axes, ScalerInput& input, PixelSize from, PixelSize to,
                    ScalerOutput& output) {
  const int64_t rowValues = int64_t{kLanes} * from.width;
  Buffers buffers;
  uint32_t* sums[2] = {buffers.Get<uint32_t>(rowValues), buffers.Get<uint32_t>(rowValues)};
  const KeptPairs kept = {buffers.Get<uint64_t>(from.width), buffers.Get<uint32_t>(from.width)};
  if (sums[0] == nullptr || sums[1] == nullptr || kept.blueRed == nullptr ||
      kept.green == nullptr) {
    return false;
  }

  const Axis& down = axes.down;
  auto weight = [&](int32_t y, int32_t row) {
    return uint32_t{down.weight[static_cast<int64_t>(y) * down.taps + (row - down.first[y])]};
  };
  bool nextStarted = false;
  int32_t next = down.first[0];
  for (int32_t y = 0; y < to.height; ++y) {
    uint32_t* mine = sums[y % 2];
    uint32_t* following = sums[(y + 1) % 2];
    const bool followingExists = y + 1 < to.height;
    bool started = nextStarted;
    nextStarted = false;
    for (; next < down.first[y] + down.count[y]; ++next) {
      const uint8_t* row = input.Row(next);
      if (row == nullptr) return false;
      AddRow<BytesPerPixel>(row, weight(y, next), from.width, !started, mine);
      started = true;
      if (followingExists && next >= down.first[y + 1]) {
        AddRow<BytesPerPixel>(row, weight(y + 1, next), from.width, !nextStarted, following);
        nextStarted = true;
      }
    }
    SumsToKept(mine, from.width, kept);
    uint32_t* out = output.Row(y);
    if (out == nullptr) return false;
    Across(axes.across,
           [&]<int Taps>() { AcrossToPixels<Taps>(kept, axes.across, to.width, out); });
  }
  return true;
}

}  // namespace

bool ScalePicture(PixelSize from, int bytesPerPixel, ScalerInput& input, PixelSize to,
                  ScalerOutput& output) {
  if (from.width < 1 || from.height < 1 || to.width < 1 || to.height < 1) return false;
  if (bytesPerPixel != 3 && bytesPerPixel != 4) return false;
  Axes axes;
  if (!MakeAxis(axes.across, from.width, to.width) ||
      !MakeAxis(axes.down, from.height, to.height)) {
    return false;
  }
  Widen(axes.across, from.width, to.width);
  if (to.height < from.height) {
    return bytesPerPixel == 3 ? DownThenAcross<3>(axes, input, from, to, output)
                              : DownThenAcross<4>(axes, input, from, to, output);
  }
  return bytesPerPixel == 3 ? AcrossThenDown<3>(axes, input, to, output)
                            : AcrossThenDown<4>(axes, input, to, output);
}

}  // namespace tessalander
