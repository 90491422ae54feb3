#include "embedded/calculation/formula_pieces.h"

#include <array>
#include <cstdio>
#include <exception>

#include <ixion/formula.hpp>
#include <ixion/formula_tokens.hpp>

namespace tabulara::embedded::calculation {
namespace {

// Every digit the number holds.
std::string NumberText(double value) {
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%.17g", value);
  return text.data();
}

}  // namespace

std::optional<std::vector<Piece>> ParsePieces(ixion::model_context& context,
                                              const ixion::formula_name_resolver& resolver,
                                              const ixion::abs_address_t& position, std::string_view formula) {
  if (formula.starts_with('=')) formula.remove_prefix(1);
  ixion::formula_tokens_t tokens;
  try {
    tokens = ixion::parse_formula_string(context, position, resolver, formula);
  } catch (const std::exception&) {
    return std::nullopt;
  }
  std::vector<Piece> pieces;
  for (const auto& token : tokens) {
    Piece piece{token->get_opcode(), {}, {}, {}};
    switch (piece.op) {
      case ixion::fop_single_ref:
        piece.text = resolver.get_name(token->get_single_ref(), position, true);
        piece.cell = token->get_single_ref().to_abs(position);
        break;
      case ixion::fop_range_ref:
        piece.text = resolver.get_name(token->get_range_ref(), position, true);
        break;
      case ixion::fop_named_expression:
      case ixion::fop_function:
        piece.text = ixion::print_formula_token(context, position, resolver, *token);
        piece.name = piece.op == ixion::fop_function ? piece.text : token->get_name();
        break;
      case ixion::fop_value:
        piece.text = NumberText(token->get_value());
        break;
      default:
        piece.text = ixion::print_formula_token(context, position, resolver, *token);
    }
    pieces.push_back(std::move(piece));
  }
  return pieces;
}

std::string JoinPieces(const std::vector<Piece>& pieces, std::size_t first, std::size_t last) {
  std::string text;
  for (std::size_t index = first; index < last; ++index) text += pieces[index].text;
  return text;
}

bool IsOperand(ixion::fopcode_t op) {
  return op == ixion::fop_single_ref || op == ixion::fop_range_ref || op == ixion::fop_named_expression ||
         op == ixion::fop_string || op == ixion::fop_value || op == ixion::fop_table_ref;
}

bool IsComparison(ixion::fopcode_t op) {
  return op == ixion::fop_equal || op == ixion::fop_not_equal || op == ixion::fop_less || op == ixion::fop_greater ||
         op == ixion::fop_less_equal || op == ixion::fop_greater_equal;
}

}  // namespace tabulara::embedded::calculation
