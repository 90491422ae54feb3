#include "platform/basic_random.h"

#include <bit>

namespace tabulara::platform {

void BasicRandom::Randomize(double seed) {
  const auto bits = std::bit_cast<std::uint64_t>(seed);
  const auto high = static_cast<std::uint32_t>(bits >> 32);
  const std::uint32_t mixed = ((high & 0xFFFF) ^ (high >> 16)) << 8;
  state_ = (state_ & 0xFF0000FF) | (mixed & 0x00FFFF00);
}

float BasicRandom::Next() {
  state_ = (state_ * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
  return static_cast<float>(state_) / 16777216.0f;
}

}  // namespace tabulara::platform
