// The 64-bit divisions of GCC's runtime library that the 32-bit .scr calls,
// made here so that no object of that library, built for a Pentium Pro, is
// linked into it (it is linked with -nodefaultlibs). Nothing here may divide
// 64-bit numbers with `/` or `%`: that would call these functions themselves.
#include <cstdint>

#include "app/win32/runtime_name.h"

namespace {

// a / b and a % b for 64-bit unsigned numbers, bit by bit. A zero divisor
// faults as the processor's division does.
uint64_t DivideUnsigned(uint64_t dividend, uint64_t divisor, uint64_t* rest) {
  if (divisor == 0 || ((dividend | divisor) >> 32) == 0) {
    const uint32_t a = static_cast<uint32_t>(dividend);
    const uint32_t b = static_cast<uint32_t>(divisor);
    *rest = a % b;
    return a / b;
  }
  // Before each shift the remainder is at most the dividend's bits above the
  // current one, below 2^63, so the shift never overflows.
  uint64_t quotient = 0;
  uint64_t remainder = 0;
  for (int bit = 63; bit >= 0; --bit) {
    remainder = (remainder << 1) | ((dividend >> bit) & 1);
    if (remainder >= divisor) {
      remainder -= divisor;
      quotient |= uint64_t{1} << bit;
    }
  }
  *rest = remainder;
  return quotient;
}

uint64_t Magnitude(int64_t value) {
  return value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
}

}  // namespace

extern "C" uint64_t TESSALANDER_RUNTIME_NAME(__udivdi3)(uint64_t dividend, uint64_t divisor) {
  uint64_t rest = 0;
  return DivideUnsigned(dividend, divisor, &rest);
}

extern "C" uint64_t TESSALANDER_RUNTIME_NAME(__umoddi3)(uint64_t dividend, uint64_t divisor) {
  uint64_t rest = 0;
  DivideUnsigned(dividend, divisor, &rest);
  return rest;
}

// Signed, as C++ divides: the quotient rounds towards zero and the remainder
// takes the dividend's sign.
extern "C" int64_t TESSALANDER_RUNTIME_NAME(__divmoddi4)(int64_t dividend, int64_t divisor,
                                                         int64_t* remainder) {
  uint64_t rest = 0;
  const uint64_t quotient = DivideUnsigned(Magnitude(dividend), Magnitude(divisor), &rest);
  if (remainder != nullptr) {
    *remainder = static_cast<int64_t>(dividend < 0 ? 0 - rest : rest);
  }
  return static_cast<int64_t>((dividend < 0) != (divisor < 0) ? 0 - quotient : quotient);
}

extern "C" int64_t TESSALANDER_RUNTIME_NAME(__divdi3)(int64_t dividend, int64_t divisor) {
  return TESSALANDER_RUNTIME_NAME(__divmoddi4)(dividend, divisor, nullptr);
}

extern "C" int64_t TESSALANDER_RUNTIME_NAME(__moddi3)(int64_t dividend, int64_t divisor) {
  int64_t remainder = 0;
  TESSALANDER_RUNTIME_NAME(__divmoddi4)(dividend, divisor, &remainder);
  return remainder;
}
