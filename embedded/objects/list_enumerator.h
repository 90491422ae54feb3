#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "embedded/objects/reference.h"
#include "host/object.h"

namespace tabulara::embedded {

// Enumerates a collection as it was when the enumeration began: `make`
// turns each item into a reference, or into nothing when the item has
// gone since, and such items are skipped.
template <class T, class Item>
class ListEnumerator final : public host::Enumerator<T>, public Reference {
 public:
  using Make = std::function<host::Maybe<T>(const Item&)>;

  ListEnumerator(Context context, std::vector<Item> items, Make make)
      : Reference(std::move(context)), items_(std::move(items)), make_(std::move(make)) {}

  host::Maybe<T> Next() override {
    while (next_ < items_.size()) {
      if (host::Maybe<T> made = make_(items_[next_++])) return made;
    }
    return std::nullopt;
  }

 private:
  std::vector<Item> items_;
  Make make_;
  std::size_t next_ = 0;
};

}  // namespace tabulara::embedded
