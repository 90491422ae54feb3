#pragma once

#include <string>

namespace tabulara::cli {

// A short note on standard error while long work runs ("Opening
// book.xlsx ..."), erased when the work is done. Shown only when standard
// error is a terminal.
class StatusLine {
 public:
  explicit StatusLine(const std::string& text);
  ~StatusLine();
  StatusLine(const StatusLine&) = delete;
  StatusLine& operator=(const StatusLine&) = delete;

 private:
  bool shown_;
};

}  // namespace tabulara::cli
