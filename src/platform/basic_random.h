#pragma once

#include <cstdint>

namespace tabulara::platform {

// The Basic runtime's random-number generator (Randomize and Rnd), a 24-bit
// linear congruential generator whose sequence worksheet formulas have
// always seen from it.
class BasicRandom {
 public:
  // Mixes `seed` (the timer's seconds since midnight) into the state.
  void Randomize(double seed);
  // The next number, from 0 up to but not including 1.
  float Next();

 private:
  std::uint32_t state_ = 0x50000;
};

}  // namespace tabulara::platform
