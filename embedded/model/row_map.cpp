#include "embedded/model/row_map.h"

#include <iterator>
#include <utility>

namespace tabulara::embedded::model {

RowMap& RowMap::operator=(const RowMap& other) {
  if (this != &other) {
    Forget();
    Base::operator=(other);
  }
  return *this;
}

RowMap& RowMap::operator=(RowMap&& other) noexcept {
  Forget();
  other.Forget();
  Base::operator=(std::move(other));
  return *this;
}

Row& RowMap::operator[](std::int32_t number) {
  // Rows are mostly made in order: a row past the last goes in at the end
  // without a search.
  if (Base::empty() || Base::rbegin()->first < number) {
    Remember(Base::try_emplace(Base::end(), number));
    return last_->second;
  }
  if (Row* found = Find(number)) return *found;
  Remember(Base::try_emplace(number).first);
  return last_->second;
}

const Row* RowMap::Find(std::int32_t number) const {
  if (hasLast_) {
    if (last_->first == number) return &last_->second;
    if (const auto next = std::next(last_); next != Base::end() && next->first == number) {
      Remember(next);
      return &next->second;
    }
  }
  // The map itself is not const where a row is written through this.
  const auto found = const_cast<RowMap*>(this)->Base::find(number);
  if (found == Base::end()) return nullptr;
  Remember(found);
  return &found->second;
}

Row* RowMap::Find(std::int32_t number) { return const_cast<Row*>(std::as_const(*this).Find(number)); }

}  // namespace tabulara::embedded::model
