#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "embedded/model/row_map.h"
#include "xlsx/cells/row_decoder.h"

namespace tabulara::xlsx {

// A shared formula of a sheet: its master and the cells that refer to it.
struct SharedFormula {
  SharedMaster master;
  std::vector<embedded::model::CellAddress> members;
};
using SharedFormulas = std::unordered_map<std::uint32_t, SharedFormula>;

// A row as the sheet's part holds it, decoded as a read of the part would
// decode it: what the writer compares the model's row with. Its cells'
// formats are cellXfs entries. Reused from row to row.
class FileRow {
 public:
  embedded::model::Row row;
  // What the decoder gives, for Finish.
  std::vector<RowFormula> decoded;

  void Clear();
  // Sorts the cells and settles each cell's formula as a read of the whole
  // sheet does: an array's over a member's over the cell's own; a member's
  // only where its master is one of `shared`, which must outlive the row's
  // use. Copies the texts the decoded formulas view.
  void Finish(std::int32_t number, const SharedFormulas& shared);

  // Whether the cell's formula is `now` ("=" first); null for none.
  bool SameFormula(std::uint16_t column, const std::string* now) const;

 private:
  struct Formula {
    std::uint16_t column;
    // Own or array: the text in texts_; member: the master's.
    std::size_t offset = 0;
    std::size_t size = 0;
    const SharedMaster* master = nullptr;
  };

  std::int32_t number_ = 0;
  // By column.
  std::vector<Formula> formulas_;
  std::string texts_;
};

}  // namespace tabulara::xlsx
