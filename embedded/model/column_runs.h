#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <map>

namespace tabulara::embedded::model {

// Values given to ranges of columns, held as runs of adjacent columns with
// the same value: a value given to every column costs one run, not 16384.
// Adjacent runs of equal values are kept as one.
template <class Value>
class ColumnRuns {
 public:
  struct Run {
    std::int32_t first;
    std::int32_t last;
    Value value;
  };
  using Runs = std::map<std::int32_t, Run>;

  // The value of a column, or null when it has none.
  const Value* Find(std::int32_t column) const {
    auto run = runs_.upper_bound(column);
    if (run == runs_.begin()) return nullptr;
    --run;
    return column <= run->second.last ? &run->second.value : nullptr;
  }

  // Columns [first, last] take `value`, whatever they had.
  void Assign(std::int32_t first, std::int32_t last, const Value& value) {
    if (first > last) return;
    Split(first);
    Split(last + 1);
    runs_.erase(runs_.lower_bound(first), runs_.upper_bound(last));
    runs_.emplace(first, Run{first, last, value});
    Join(first, last);
  }

  // change(Value&) on the value of every column of [first, last], starting
  // from `missing` for the columns that have none.
  template <class Edit>
  void Change(std::int32_t first, std::int32_t last, const Value& missing, Edit change) {
    if (first > last) return;
    Split(first);
    Split(last + 1);
    std::int32_t next = first;
    auto run = runs_.lower_bound(first);
    while (next <= last) {
      if (run == runs_.end() || run->first > next) {
        const std::int32_t gapLast = run == runs_.end() ? last : std::min(last, run->first - 1);
        run = runs_.emplace_hint(run, next, Run{next, gapLast, missing});
      }
      change(run->second.value);
      next = run->second.last + 1;
      ++run;
    }
    Join(first, last);
  }

  // change(Value&) on every value.
  template <class Edit>
  void ChangeAll(Edit change) {
    for (auto& [first, run] : runs_) change(run.value);
    if (!runs_.empty()) Join(runs_.begin()->first, std::prev(runs_.end())->second.last);
  }

  bool empty() const { return runs_.empty(); }
  typename Runs::const_iterator begin() const { return runs_.begin(); }
  typename Runs::const_iterator end() const { return runs_.end(); }
  // The runs from the one holding or following `column`.
  typename Runs::const_iterator From(std::int32_t column) const {
    auto run = runs_.upper_bound(column);
    if (run != runs_.begin() && std::prev(run)->second.last >= column) --run;
    return run;
  }

  friend bool operator==(const ColumnRuns& a, const ColumnRuns& b) {
    return std::equal(a.runs_.begin(), a.runs_.end(), b.runs_.begin(), b.runs_.end(), [](const auto& x, const auto& y) {
      return x.second.first == y.second.first && x.second.last == y.second.last && x.second.value == y.second.value;
    });
  }

 private:
  // Makes `column` the first of a run, when a run holds it.
  void Split(std::int32_t column) {
    auto run = runs_.upper_bound(column);
    if (run == runs_.begin()) return;
    --run;
    Run& holder = run->second;
    if (holder.first == column || holder.last < column) return;
    runs_.emplace_hint(std::next(run), column, Run{column, holder.last, holder.value});
    holder.last = column - 1;
  }

  // Joins equal adjacent runs from the one before `first` to the one after
  // `last`.
  void Join(std::int32_t first, std::int32_t last) {
    auto run = runs_.lower_bound(first);
    if (run != runs_.begin()) --run;
    while (run != runs_.end() && run->first <= last + 1) {
      auto next = std::next(run);
      if (next != runs_.end() && next->first == run->second.last + 1 && next->second.value == run->second.value) {
        run->second.last = next->second.last;
        runs_.erase(next);
      } else {
        run = next;
      }
    }
  }

  Runs runs_;
};

}  // namespace tabulara::embedded::model
