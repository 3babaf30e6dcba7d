// The helpers of GCC's runtime library that the 32-bit .scr calls, made here
// so that no object of that library, built for a Pentium Pro, is linked into
// it (it is linked with -nodefaultlibs). Nothing here may divide 64-bit
// numbers with `/` or `%`: that would call these functions themselves.
#include <cstdint>

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

extern "C" uint64_t __udivdi3(uint64_t dividend, uint64_t divisor) {
  uint64_t rest = 0;
  return DivideUnsigned(dividend, divisor, &rest);
}

extern "C" uint64_t __umoddi3(uint64_t dividend, uint64_t divisor) {
  uint64_t rest = 0;
  DivideUnsigned(dividend, divisor, &rest);
  return rest;
}

// Signed, as C++ divides: the quotient rounds towards zero and the remainder
// takes the dividend's sign.
extern "C" int64_t __divmoddi4(int64_t dividend, int64_t divisor, int64_t* remainder) {
  uint64_t rest = 0;
  const uint64_t quotient = DivideUnsigned(Magnitude(dividend), Magnitude(divisor), &rest);
  if (remainder != nullptr) {
    *remainder = static_cast<int64_t>(dividend < 0 ? 0 - rest : rest);
  }
  return static_cast<int64_t>((dividend < 0) != (divisor < 0) ? 0 - quotient : quotient);
}

extern "C" int64_t __divdi3(int64_t dividend, int64_t divisor) {
  return __divmoddi4(dividend, divisor, nullptr);
}

extern "C" int64_t __moddi3(int64_t dividend, int64_t divisor) {
  int64_t remainder = 0;
  __divmoddi4(dividend, divisor, &remainder);
  return remainder;
}

#if defined(__i386__)
// Called before a function moves its stack pointer down by EAX bytes: touches
// the stack one page at a time from the top, so that each guard page is met
// in turn and the system grows the stack. Changes no register.
asm(R"(
        .text
        .globl ___chkstk_ms
___chkstk_ms:
        pushl %ecx
        pushl %eax
        leal 12(%esp), %ecx       # the caller's stack pointer
1:      cmpl $0x1000, %eax
        jb 2f
        subl $0x1000, %ecx
        orl $0, (%ecx)
        subl $0x1000, %eax
        jmp 1b
2:      subl %eax, %ecx
        orl $0, (%ecx)
        popl %eax
        popl %ecx
        ret
)");
#endif
