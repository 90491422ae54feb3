#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "embedded/model/cell_address.h"

namespace tabulara::embedded {

// "A" for 1, "XFD" for 16384.
std::string ColumnLetters(std::int32_t column);

// A reference text in A1 style, letters in any case, "$" allowed: "A1",
// "B2:C4", whole columns "A:C", whole rows "3:5", areas separated by
// commas. Nothing when the text is no reference.
std::optional<std::vector<model::CellRect>> ParseReference(std::string_view text);

// Absolute addresses: "$A$1", "$B$2:$C$4", "$A:$C", "$3:$5", the whole
// sheet as "$1:$1048576".
std::string AreaAddress(const model::CellRect& area);
// The areas' addresses separated by commas.
std::string AreasAddress(const std::vector<model::CellRect>& areas);

}  // namespace tabulara::embedded
