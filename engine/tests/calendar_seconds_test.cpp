#include "engine/calendar_seconds.h"

#include <gtest/gtest.h>

namespace tessalander {

namespace {

// The seconds time() gives for a Windows file time, rounded down as it does.
TEST(CalendarSeconds, CountsFromTheUnixEpochInWholeSeconds) {
  constexpr uint64_t kEpoch = 116444736000000000;  // 1970-01-01 00:00:00 UTC
  const struct {
    uint64_t fileTime;
    int64_t seconds;
  } rows[] = {
      {kEpoch, 0},
      {kEpoch + 9999999, 0},
      {kEpoch + 10000000, 1},
      {133485408000000000, 1704067200},                    // 2024-01-01 00:00:00 UTC
      {kEpoch + 2147483648 * kFileTimeUnitsPerSecond, 2147483648},  // 2038, past a 32-bit time_t
      {0, -11644473600},                                   // 1601-01-01
      {0xFFFFFFFFFFFFFFFF, 1844674407370 - 11644473600},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(CalendarSecondsOfFileTime(row.fileTime), row.seconds) << row.fileTime;
  }
}

}  // namespace

}  // namespace tessalander
