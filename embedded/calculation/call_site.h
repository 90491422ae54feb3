#pragma once

#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "embedded/calculation/formula_pieces.h"

namespace tabulara::embedded::calculation {

// A function call in a formula's pieces: its opening parenthesis, the
// pieces of each argument (first, last + 1; equal for an omitted one), the
// piece after its closing parenthesis.
struct CallSite {
  std::size_t open = 0;
  std::size_t end = 0;
  std::vector<std::pair<std::size_t, std::size_t>> arguments;
};

// The call whose function's name is the piece at `name`; none when no
// parenthesis follows it or it is not closed.
std::optional<CallSite> FindCall(const std::vector<Piece>& pieces, std::size_t name);

}  // namespace tabulara::embedded::calculation
