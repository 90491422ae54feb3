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

// What a referenced cell holds, as far as the host and the engine differ.
struct ReferenceTraits {
  // A text; else a number or nothing, when `known`.
  bool text = false;
  bool known = false;
  // Turned into text, its value reads the same in the host and the engine.
  bool printsAlike = false;
};
using DescribeReference = std::function<ReferenceTraits(const Piece& reference)>;

// Whether the engine writes the number as text as the host does (the engine
// keeps six digits).
bool PrintsAlike(double number);

// None when the engine would not compute the pieces as the host does: a
// function it lacks or gets wrong, a comparison of texts (the engine minds
// letter case), a number made text that the engine would write otherwise, a
// logical value where the engine would take it for a number, or anything it
// cannot read.
std::optional<EngineFormula> WriteForEngine(const std::vector<Piece>& pieces, const DescribeReference& describe);

}  // namespace tabulara::embedded::calculation
