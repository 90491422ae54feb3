#include "xlsx/cells/plain_rows_ahead.h"

#include <algorithm>
#include <utility>

namespace tabulara::xlsx {

PlainRowsAhead::PlainRowsAhead(std::vector<std::string_view> texts, Prepare prepare)
    : texts_(std::move(texts)), prepare_(prepare) {
  if (texts_.size() <= kBatch) return;
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
  const std::size_t first = batch * kBatch;
  const std::size_t count = std::min(kBatch, texts_.size() - first);
  for (std::size_t i = 0; i < count; ++i) into.plain[i] = ParseOne(texts_[first + i], into.rows[i]);
}

bool PlainRowsAhead::ParseOne(std::string_view text, PlainRow& row) const {
  if (!ParsePlainRow(text, row)) return false;
  if (prepare_ != nullptr) prepare_(row);
  return true;
}

void PlainRowsAhead::Work() {
  const std::size_t batches = (texts_.size() + kBatch - 1) / kBatch;
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
  const std::size_t batch = index / kBatch;
  Batch& in = batches_[batch % 2];
  if (index % kBatch == 0) {
    std::unique_lock lock(mutex_);
    // The batch before is used up: the worker may parse the next into it.
    if (batch > 0) {
      batches_[(batch - 1) % 2].ready = false;
      changed_.notify_all();
    }
    changed_.wait(lock, [&] { return in.ready; });
  }
  const std::size_t slot = index % kBatch;
  return in.plain[slot] != 0 ? &in.rows[slot] : nullptr;
}

}  // namespace tabulara::xlsx
