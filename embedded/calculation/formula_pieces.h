#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <ixion/address.hpp>
#include <ixion/formula_name_resolver.hpp>
#include <ixion/formula_opcode.hpp>
#include <ixion/model_context.hpp>

namespace tabulara::embedded::calculation {

// One token of a formula as the engine parsed it, with its text: references
// always name their sheet, so the text means the same from any cell.
struct Piece {
  ixion::fopcode_t op;
  std::string text;
  // A function's or a name's name.
  std::string name;
  // The cell a single reference points at.
  std::optional<ixion::abs_address_t> cell;
};

// The formula ("=A1+1" or "A1+1") as pieces; none when the engine cannot
// parse it.
std::optional<std::vector<Piece>> ParsePieces(ixion::model_context& context,
                                              const ixion::formula_name_resolver& resolver,
                                              const ixion::abs_address_t& position, std::string_view formula);

// The pieces first..last-1 written back as formula text.
std::string JoinPieces(const std::vector<Piece>& pieces, std::size_t first, std::size_t last);

bool IsOperand(ixion::fopcode_t op);
bool IsComparison(ixion::fopcode_t op);

}  // namespace tabulara::embedded::calculation
