#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace tabulara::embedded::model {

// The texts of a workbook's cells, each kept once.
class StringPool {
 public:
  StringPool() = default;
  StringPool(const StringPool& other);
  StringPool& operator=(const StringPool& other);

  std::uint32_t Intern(std::string_view text);
  const std::string& Text(std::uint32_t id) const { return texts_[id]; }
  std::size_t size() const { return texts_.size(); }

 private:
  void Grow();
  // The slot of `text`: the one holding its id, or the empty one where it
  // would go.
  std::size_t SlotOf(std::string_view text, std::size_t hash) const;

  // A deque keeps its elements in place as it grows.
  std::deque<std::string> texts_;
  // The hash of each text, by id.
  std::vector<std::size_t> hashes_;
  // Open addressing, linear probing, at most half full: id + 1 of a text,
  // 0 for an empty slot. The slot count is a power of two.
  std::vector<std::uint32_t> slots_;
};

}  // namespace tabulara::embedded::model
