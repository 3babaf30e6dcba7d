// The calendar time the shuffle is seeded with, in whole seconds since
// 1970-01-01 UTC as C's time() counts them, so that the saver and the
// renderer agree on a second. Windows gives the time as a FILETIME: 100 ns
// units since 1601-01-01 UTC.
#pragma once

#include <cstdint>

namespace tessalander {

constexpr uint64_t kFileTimeUnitsPerSecond = 10000000;
constexpr int64_t kSecondsFrom1601To1970 = 11644473600;

// Rounded down, as time() does; 64 bits, so past 2038 as well.
constexpr int64_t CalendarSecondsOfFileTime(uint64_t fileTime) {
  return static_cast<int64_t>(fileTime / kFileTimeUnitsPerSecond) - kSecondsFrom1601To1970;
}

}  // namespace tessalander
