// The two helpers of GCC's runtime library that the 32-bit .scr calls, made
// here so that no object of that library, built for a Pentium Pro, is linked
// into it (it is linked with -nodefaultlibs). Nothing here may divide 64-bit
// numbers with `/` or `%`: that would call __udivdi3 itself.
#include <cstdint>

// a / b for 64-bit unsigned numbers, bit by bit. A zero divisor faults as
// the processor's division does.
extern "C" uint64_t __udivdi3(uint64_t dividend, uint64_t divisor) {
  if (divisor == 0 || ((dividend | divisor) >> 32) == 0) {
    return static_cast<uint32_t>(dividend) / static_cast<uint32_t>(divisor);
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
  return quotient;
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
