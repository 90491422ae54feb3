#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "embedded/model/cell_address.h"

namespace tabulara::embedded {

// An area of a reference, with the name of the sheet it lies on when the
// reference gives one.
struct QualifiedArea {
  std::optional<std::string> sheet;
  model::CellRect cells;
};

// A reference as a user types it in the Go To box: areas separated by
// commas, each maybe behind its sheet's name and "!" ("Data!A1:C9", or in
// apostrophes, doubled inside: "'Bob''s sheet'!A1"). Nothing when the text
// is no such reference.
std::optional<std::vector<QualifiedArea>> ParseGoToReference(std::string_view text);

}  // namespace tabulara::embedded
