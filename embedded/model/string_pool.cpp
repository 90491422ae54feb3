#include "embedded/model/string_pool.h"

namespace tabulara::embedded::model {

StringPool::StringPool(const StringPool& other) {
  for (const std::string& text : other.texts_) Intern(text);
}

StringPool& StringPool::operator=(const StringPool& other) {
  if (this != &other) {
    texts_.clear();
    ids_.clear();
    for (const std::string& text : other.texts_) Intern(text);
  }
  return *this;
}

std::uint32_t StringPool::Intern(std::string_view text) {
  if (auto found = ids_.find(text); found != ids_.end()) return found->second;
  auto id = static_cast<std::uint32_t>(texts_.size());
  const std::string& stored = texts_.emplace_back(text);
  ids_.emplace(stored, id);
  return id;
}

}  // namespace tabulara::embedded::model
