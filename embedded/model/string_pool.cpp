#include "embedded/model/string_pool.h"

#include <functional>

namespace tabulara::embedded::model {

StringPool::StringPool(const StringPool& other) {
  for (const std::string& text : other.texts_) Intern(text);
}

StringPool& StringPool::operator=(const StringPool& other) {
  if (this != &other) {
    texts_.clear();
    hashes_.clear();
    slots_.clear();
    for (const std::string& text : other.texts_) Intern(text);
  }
  return *this;
}

std::size_t StringPool::SlotOf(std::string_view text, std::size_t hash) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
    const std::uint32_t held = slots_[slot];
    if (held == 0 || (hashes_[held - 1] == hash && texts_[held - 1] == text)) return slot;
  }
}

void StringPool::Grow() {
  constexpr std::size_t kFirstSlots = 64;
  slots_.assign(slots_.empty() ? kFirstSlots : slots_.size() * 2, 0);
  const std::size_t mask = slots_.size() - 1;
  for (std::uint32_t id = 0; id < hashes_.size(); ++id) {
    std::size_t slot = hashes_[id] & mask;
    while (slots_[slot] != 0) slot = (slot + 1) & mask;
    slots_[slot] = id + 1;
  }
}

std::uint32_t StringPool::Intern(std::string_view text) {
  if ((texts_.size() + 1) * 2 > slots_.size()) Grow();
  const std::size_t hash = std::hash<std::string_view>{}(text);
  const std::size_t slot = SlotOf(text, hash);
  if (slots_[slot] != 0) return slots_[slot] - 1;
  const auto id = static_cast<std::uint32_t>(texts_.size());
  texts_.emplace_back(text);
  hashes_.push_back(hash);
  slots_[slot] = id + 1;
  return id;
}

}  // namespace tabulara::embedded::model
