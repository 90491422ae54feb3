#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "embedded/calculation/formula_pieces.h"

namespace tabulara::embedded::calculation {

// A formula written for the engine so that it computes it as the host does:
// every operation in parentheses, so that the engine's own precedence plays
// no part.
struct EngineFormula {
  std::string text;
  // A comparison gives the value: the engine's 1 or 0 is TRUE or FALSE.
  bool logical = false;
};

// Whether a referenced cell holds text.
using HoldsText = std::function<bool(const Piece& reference)>;

// None when the engine would not compute the pieces as the host does: a
// function it lacks or gets wrong, a comparison of texts (the engine minds
// letter case), a logical value where the engine would take it for a number,
// or anything it cannot read.
std::optional<EngineFormula> WriteForEngine(const std::vector<Piece>& pieces, const HoldsText& holdsText);

}  // namespace tabulara::embedded::calculation
