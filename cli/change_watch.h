#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "embedded/model/workbook.h"

namespace tabulara::cli {

// Tells whether a workbook changed since it was last marked unchanged: its
// sheets, their names, kinds, order and visibility, structure protection,
// and the content of every sheet read so far (cells with their values,
// formulas and formats, rows and columns, protection, shapes, comments,
// hyperlinks); a sheet whose content was never read did not change. Like
// the spreadsheet host, it leaves out the active sheet and the selection,
// which do not make a workbook changed.
class ChangeWatch {
 public:
  void MarkUnchanged(const embedded::model::Workbook& workbook);
  // Marks unchanged the workbook as the last Changed saw it; for a workbook
  // left as it was then (saving it does not change it).
  void MarkLastSeenUnchanged();
  // Takes the content of a sheet just read from the file as unchanged.
  void SheetRead(const embedded::model::Sheet& sheet);
  bool Changed(const embedded::model::Workbook& workbook);

 private:
  struct Digests {
    std::uint64_t sheets = 0;
    // The content of each sheet read.
    std::map<const embedded::model::Sheet*, std::uint64_t> contents;
  };
  static Digests DigestsOf(const embedded::model::Workbook& workbook);

  Digests marked_;
  std::optional<Digests> lastSeen_;
};

}  // namespace tabulara::cli
