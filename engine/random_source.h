// The shuffle's random numbers: a 32-bit linear congruential generator whose
// every number is bits 16 to 30 of the new state, 0 to 32767.
#pragma once

#include <cstdint>

namespace tessalander {

struct RandomSource {
  // 1 until something seeds it.
  uint32_t State = 1;
};

inline void SeedRandom(RandomSource& random, uint32_t seed) { random.State = seed; }

inline int32_t NextRandom(RandomSource& random) {
  random.State = random.State * 214013u + 2531011u;  // wraps modulo 2^32
  return static_cast<int32_t>((random.State >> 16) & 0x7FFFu);
}

}  // namespace tessalander
