// The 32-bit .scr's own 64-bit division (app/win32/i386_runtime.cpp), which
// replaces the compiler's runtime there, against the compiler's own: the
// processor's division in the 64-bit build, GCC's runtime library in the
// 32-bit one (the i386 preset), where `/` and `%` call it.
#include <gtest/gtest.h>

#include <cstdint>

#include "app/win32/runtime_name.h"

extern "C" {
uint64_t TESSALANDER_RUNTIME_NAME(__udivdi3)(uint64_t dividend, uint64_t divisor);
uint64_t TESSALANDER_RUNTIME_NAME(__umoddi3)(uint64_t dividend, uint64_t divisor);
int64_t TESSALANDER_RUNTIME_NAME(__divdi3)(int64_t dividend, int64_t divisor);
int64_t TESSALANDER_RUNTIME_NAME(__moddi3)(int64_t dividend, int64_t divisor);
int64_t TESSALANDER_RUNTIME_NAME(__divmoddi4)(int64_t dividend, int64_t divisor,
                                              int64_t* remainder);
}

#define OUR(name) TESSALANDER_RUNTIME_NAME(name)

namespace {

TEST(I386RuntimeTest, DividesAsTheCompilerDoes) {
  const uint64_t cases[][2] = {
      {0, 1}, {1, 1}, {7, 2}, {0xFFFFFFFF, 1}, {0xFFFFFFFF, 0xFFFFFFFF},  // 32-bit path
      {5, 0x100000000}, {0xFFFFFFFF, 0x100000000}, {0, 0xFFFFFFFFFFFFFFFF},  // divisor above
      {0x100000000, 2}, {0x100000000, 0xFFFFFFFF}, {0xFFFFFFFFFFFFFFFF, 1},  // long dividends
      {0xFFFFFFFFFFFFFFFF, 3}, {123456789012345678, 1000}, {0x100000000, 0x100000000},
      {0x123456789ABCDEF0, 0x100000001}, {0xFFFFFFFFFFFFFFFF, 0xFFFFFFFF},  // long divisors
      {0xFFFFFFFF00000000, 0xFFFFFFFF}, {0x8000000000000000, 0x7FFFFFFFFFFFFFFF},
      // divisors of 2^63 and more
      {0xFFFFFFFFFFFFFFFF, 0x8000000000000000}, {0x8000000000000000, 0x8000000000000001},
      {0xFFFFFFFFFFFFFFFE, 0xFFFFFFFFFFFFFFFF}, {0xFFFFFFFFFFFFFFFF, 0xFFFFFFFFFFFFFFFF},
      {(uint64_t{1} << 31) * 1024, 96},  // a bitmap's rows against its room
  };
  for (const auto& c : cases) {
    EXPECT_EQ(OUR(__udivdi3)(c[0], c[1]), c[0] / c[1]) << c[0] << " / " << c[1];
    EXPECT_EQ(OUR(__umoddi3)(c[0], c[1]), c[0] % c[1]) << c[0] << " % " << c[1];
  }
}

TEST(I386RuntimeTest, DividesSignedNumbersTowardsZero) {
  // INT64_MIN / -1 is left out: it overflows, in C++ as on the processor.
  const int64_t cases[][2] = {
      {0, 1}, {0, -1}, {1, -1}, {-1, 1}, {-1, -1}, {7, 2}, {-7, 2}, {7, -2}, {-7, -2},  // signs
      {0, -5}, {-1, INT64_MIN}, {0, INT64_MIN}, {INT64_MAX, 1}, {INT64_MAX, -1},
      {-123456789012345678, 1000}, {123456789012345678, -999999937},  // long dividends
      {INT64_MIN, 3}, {INT64_MIN, -3}, {INT64_MIN, -2}, {INT64_MIN, 0x100000000},
      {INT64_MIN, INT64_MAX}, {INT64_MAX, INT64_MIN}, {INT64_MIN, INT64_MIN}, {INT64_MIN, 1},
      {INT64_MIN + 1, -1}, {INT64_MAX, INT64_MAX}, {-INT64_MAX, INT64_MAX},
      {-(int64_t{1} << 40), int64_t{1} << 33},  // a scaler's weight sum against its span
  };
  for (const auto& c : cases) {
    int64_t remainder = 0;
    EXPECT_EQ(OUR(__divmoddi4)(c[0], c[1], &remainder), c[0] / c[1]) << c[0] << " / " << c[1];
    EXPECT_EQ(remainder, c[0] % c[1]) << c[0] << " % " << c[1];
    EXPECT_EQ(OUR(__divdi3)(c[0], c[1]), c[0] / c[1]) << c[0] << " / " << c[1];
    EXPECT_EQ(OUR(__moddi3)(c[0], c[1]), c[0] % c[1]) << c[0] << " % " << c[1];
  }
}

}  // namespace
