#pragma once

#include <array>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

#include "xlsx/cells/plain_row.h"

namespace tabulara::xlsx {

// Parses rows of a sheet as plain rows, in order. A large sheet's rows are
// parsed on a second thread, a batch ahead of the batch in use, so that
// parsing runs beside what is done with the rows; a small sheet's are parsed
// as they are asked for.
class PlainRowsAhead {
 public:
  // Done to each plain row after its parse, on the same thread.
  using Prepare = void (*)(PlainRow& row);

  // The texts must outlive this.
  explicit PlainRowsAhead(std::vector<std::string_view> texts, Prepare prepare = nullptr);
  ~PlainRowsAhead();
  PlainRowsAhead(const PlainRowsAhead&) = delete;
  PlainRowsAhead& operator=(const PlainRowsAhead&) = delete;

  // The next text parsed, valid until the next call; null when it is not
  // one plain row. Called once for each text at most.
  PlainRow* Next();

  // Each hand-over between the threads can cost a wake-up of the other, tens
  // of microseconds on a virtual machine: batches are large, and a sheet of
  // one batch or less is not worth a thread. A plain row takes some thirty
  // times its text's size: a batch of wide rows holds fewer of them.
  static constexpr std::size_t kBatch = 2048;
  static constexpr std::size_t kBatchBytes = std::size_t{256} << 10;

 private:
  struct Batch {
    std::vector<PlainRow> rows;
    std::vector<char> plain;
    // Parsed and not yet used up.
    bool ready = false;
  };

  void Parse(std::size_t batch);
  void Work();

  // True when the text is one plain row, parsed and prepared into `row`.
  bool ParseOne(std::string_view text, PlainRow& row) const;

  std::vector<std::string_view> texts_;
  Prepare prepare_;
  // The first text of each batch, then the number of texts.
  std::vector<std::size_t> starts_;
  std::size_t next_ = 0;
  // The batches Next has gone into.
  std::size_t entered_ = 0;
  PlainRow single_;
  std::array<Batch, 2> batches_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool stopping_ = false;
  // Last: it starts once everything else is set up.
  std::thread worker_;
};

}  // namespace tabulara::xlsx
