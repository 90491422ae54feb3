#include "embedded/model/row_map.h"

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
  if (last_ == nullptr || lastNumber_ != number) {
    // Rows are mostly made in order: a row past the last goes in at the end
    // without a search.
    last_ = &Base::try_emplace(Base::end(), number)->second;
    lastNumber_ = number;
  }
  return *last_;
}

const Row* RowMap::Find(std::int32_t number) const {
  if (last_ != nullptr && lastNumber_ == number) return last_;
  const auto found = Base::find(number);
  if (found == Base::end()) return nullptr;
  // The map itself is not const where a row is written through this.
  last_ = const_cast<Row*>(&found->second);
  lastNumber_ = number;
  return last_;
}

Row* RowMap::Find(std::int32_t number) { return const_cast<Row*>(std::as_const(*this).Find(number)); }

}  // namespace tabulara::embedded::model
