#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

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
  // A deque keeps its elements in place, so the index can view them.
  std::deque<std::string> texts_;
  std::unordered_map<std::string_view, std::uint32_t> ids_;
};

}  // namespace tabulara::embedded::model
