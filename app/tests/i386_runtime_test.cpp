// The 32-bit .scr's own 64-bit division (app/win32/i386_runtime.cpp), which
// replaces the compiler's runtime there, against the compiler's own.
#include <gtest/gtest.h>

#include <cstdint>

extern "C" uint64_t __udivdi3(uint64_t dividend, uint64_t divisor);

namespace {

TEST(I386RuntimeTest, DividesAsTheCompilerDoes) {
  const uint64_t cases[][2] = {
      {0, 1}, {7, 2}, {0xFFFFFFFF, 0xFFFFFFFF}, {5, 0x100000000},         // 32-bit path and below
      {0x100000000, 2}, {0xFFFFFFFFFFFFFFFF, 3}, {123456789012345678, 1000},  // long dividends
      {0x123456789ABCDEF0, 0x100000001}, {0xFFFFFFFFFFFFFFFF, 0xFFFFFFFF},    // long divisors
      {0xFFFFFFFFFFFFFFFF, 0x8000000000000000}, {0x8000000000000000, 0x8000000000000001},
      {0xFFFFFFFFFFFFFFFF, 0xFFFFFFFFFFFFFFFF},  // divisors of 2^63 and more
      {(uint64_t{1} << 31) * 1024, 96},           // a bitmap's rows against its room
  };
  for (const auto& c : cases) {
    EXPECT_EQ(__udivdi3(c[0], c[1]), c[0] / c[1]) << c[0] << " / " << c[1];
  }
}

}  // namespace
