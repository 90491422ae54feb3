#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "embedded/model/cell.h"

namespace tabulara::embedded::model {

struct Row {
  // Sorted by column.
  std::vector<Cell> cells;
  // Points; the sheet's default when absent.
  std::optional<double> height;
  bool hidden = false;
  // The format of the row's cells that have no entry of their own.
  std::optional<std::uint32_t> format;

  bool HoldsNothing() const { return cells.empty() && !height && !hidden && !format; }
};

// The rows of a grid by number: a map that keeps the row it found last,
// since cells are mostly asked for row by row, or the rows in order.
// Everything that can remove a row forgets it. For one thread at a time,
// like the rest of the model.
class RowMap : private std::map<std::int32_t, Row> {
  using Base = std::map<std::int32_t, Row>;

 public:
  using Base::const_iterator;
  using Base::const_reverse_iterator;
  using Base::iterator;
  using Base::key_type;
  using Base::mapped_type;
  using Base::reverse_iterator;
  using Base::size_type;
  using Base::value_type;

  using Base::at;
  using Base::begin;
  using Base::emplace;
  using Base::empty;
  using Base::end;
  using Base::find;
  using Base::lower_bound;
  using Base::rbegin;
  using Base::rend;
  using Base::size;
  using Base::try_emplace;
  using Base::upper_bound;

  RowMap() = default;
  RowMap(const RowMap& other) : Base(other) {}
  RowMap(RowMap&& other) noexcept : Base(std::move(other)) { other.Forget(); }
  RowMap& operator=(const RowMap& other);
  RowMap& operator=(RowMap&& other) noexcept;
  ~RowMap() = default;

  // The row `number`, made when there is none.
  Row& operator[](std::int32_t number);
  // The row `number`; null when there is none.
  const Row* Find(std::int32_t number) const;
  Row* Find(std::int32_t number);

  iterator erase(const_iterator at) {
    Forget();
    return Base::erase(at);
  }
  iterator erase(iterator at) { return erase(const_iterator(at)); }
  size_type erase(std::int32_t number) {
    Forget();
    return Base::erase(number);
  }
  void clear() noexcept {
    Forget();
    Base::clear();
  }

 private:
  void Forget() const { hasLast_ = false; }
  void Remember(Base::iterator row) const {
    last_ = row;
    hasLast_ = true;
  }

  // The row found last, when hasLast_.
  mutable Base::iterator last_;
  mutable bool hasLast_ = false;
};

}  // namespace tabulara::embedded::model
