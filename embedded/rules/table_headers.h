#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "embedded/model/workbook.h"

namespace tabulara::embedded {

// A table header cell's text as the host takes it for the column's name: the
// text as displayed (a number in its general form, a date as m/d/yyyy,
// TRUE, #N/A); empty for an empty cell.
std::string HeaderText(const model::Workbook& workbook, const model::Grid& grid, model::CellAddress cell);

// A table's column names once the headers of some columns changed, as the
// host names them: a changed column takes its header's text, "Column<n>"
// when empty (n its position from 1); one that names another column,
// without regard to case, takes 2, 3, ... after it. `changedHeaders` holds
// the changed columns' header texts by position from 0; the others keep
// their names.
std::vector<std::string> RenamedTableColumns(std::vector<std::string> names,
                                             const std::map<std::size_t, std::string>& changedHeaders);

// After an edit of `edited`, every edited cell of a table's header row holds
// its column's new name as text, as the host keeps a header: a table's
// column names are the texts of its header cells.
void KeepTableHeaders(model::Workbook& workbook, model::Sheet& sheet, const model::Areas& edited);

}  // namespace tabulara::embedded
