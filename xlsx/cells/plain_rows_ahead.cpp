#include "xlsx/cells/plain_rows_ahead.h"

#include <algorithm>
#include <utility>

namespace tabulara::xlsx {

PlainRowsAhead::PlainRowsAhead(std::vector<std::string_view> texts, Prepare prepare)
    : texts_(std::move(texts)), prepare_(prepare) {
  if (texts_.size() <= kBatch) return;
  std::size_t bytes = 0;
  starts_.push_back(0);
  for (std::size_t i = 0; i < texts_.size(); ++i) {
    const std::size_t inBatch = i - starts_.back();
    if (inBatch == kBatch || (inBatch > 0 && bytes + texts_[i].size() > kBatchBytes)) {
      starts_.push_back(i);
      bytes = 0;
    }
    bytes += texts_[i].size();
  }
  starts_.push_back(texts_.size());
  for (Batch& batch : batches_) {
    batch.rows.resize(kBatch);
    batch.plain.resize(kBatch);
  }
  worker_ = std::thread([this] { Work(); });
}

PlainRowsAhead::~PlainRowsAhead() {
  if (!worker_.joinable()) return;
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  worker_.join();
}

void PlainRowsAhead::Parse(std::size_t batch) {
  Batch& into = batches_[batch % 2];
  const std::size_t first = starts_[batch];
  const std::size_t count = starts_[batch + 1] - first;
  for (std::size_t i = 0; i < count; ++i) into.plain[i] = ParseOne(texts_[first + i], into.rows[i]);
}

bool PlainRowsAhead::ParseOne(std::string_view text, PlainRow& row) const {
  if (!ParsePlainRow(text, row)) return false;
  if (prepare_ != nullptr) prepare_(row);
  return true;
}

void PlainRowsAhead::Work() {
  const std::size_t batches = starts_.size() - 1;
  for (std::size_t batch = 0; batch < batches; ++batch) {
    Batch& into = batches_[batch % 2];
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [&] { return stopping_ || !into.ready; });
      if (stopping_) return;
    }
    Parse(batch);
    {
      const std::lock_guard lock(mutex_);
      into.ready = true;
    }
    changed_.notify_all();
  }
}

PlainRow* PlainRowsAhead::Next() {
  const std::size_t index = next_++;
  if (!worker_.joinable()) return ParseOne(texts_[index], single_) ? &single_ : nullptr;
  if (index == starts_[entered_]) {
    Batch& next = batches_[entered_ % 2];
    std::unique_lock lock(mutex_);
    // The batch before is used up: the worker may parse the next into it.
    if (entered_ > 0) {
      batches_[(entered_ - 1) % 2].ready = false;
      changed_.notify_all();
    }
    changed_.wait(lock, [&] { return next.ready; });
    ++entered_;
  }
  const std::size_t batch = entered_ - 1;
  Batch& in = batches_[batch % 2];
  const std::size_t slot = index - starts_[batch];
  return in.plain[slot] != 0 ? &in.rows[slot] : nullptr;
}

}  // namespace tabulara::xlsx
