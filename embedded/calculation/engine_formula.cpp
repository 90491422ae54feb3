#include "embedded/calculation/engine_formula.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <string_view>

namespace tabulara::embedded::calculation {
namespace {

// What a part of a formula gives, as far as the host and the engine differ.
enum class Kind { Number, Text, Logical, Range, Unknown };

struct Node {
  std::string text;
  Kind kind;
  bool printsAlike = false;
};

// The engine's functions whose results match the host's for the arguments
// the writer lets through, and what they give.
struct Function {
  std::string_view name;
  Kind gives;
  bool takesRanges;
  // How many arguments, from the first, it takes as text; -1 all.
  int textArguments;
};
constexpr std::array<Function, 10> kFunctions{{
    {"SUM", Kind::Number, true, 0},
    {"MIN", Kind::Number, true, 0},
    {"MAX", Kind::Number, true, 0},
    {"COUNTA", Kind::Number, true, 0},
    {"LEN", Kind::Number, false, 1},
    {"INT", Kind::Number, false, 0},
    {"PI", Kind::Number, false, 0},
    {"LEFT", Kind::Text, false, 1},
    {"CONCATENATE", Kind::Text, false, -1},
    {"IF", Kind::Unknown, false, 0},
}};

// Parses by the host's precedence, lowest first: comparisons, &, + and -,
// * and /, ^, then a sign; every binary operator groups from the left.
class Writer {
 public:
  Writer(const std::vector<Piece>& pieces, const DescribeReference& describe) : pieces_(pieces), describe_(describe) {}

  std::optional<EngineFormula> Write() {
    std::optional<Node> node = Comparison();
    if (!node || at_ != pieces_.size() || node->kind == Kind::Range) return std::nullopt;
    return EngineFormula{node->text, node->kind == Kind::Logical};
  }

 private:
  bool Next(ixion::fopcode_t op) const { return at_ < pieces_.size() && pieces_[at_].op == op; }
  bool NextIsAny(std::initializer_list<ixion::fopcode_t> ops) const {
    return at_ < pieces_.size() && std::ranges::find(ops, pieces_[at_].op) != ops.end();
  }

  std::optional<Node> Comparison() {
    std::optional<Node> left = Concatenation();
    while (left && at_ < pieces_.size() && IsComparison(pieces_[at_].op)) {
      const std::string op = pieces_[at_++].text;
      const std::optional<Node> right = Concatenation();
      if (!right || !Comparable(*left) || !Comparable(*right)) return std::nullopt;
      left = Node{"(" + left->text + op + right->text + ")", Kind::Logical};
    }
    return left;
  }

  static bool Comparable(const Node& node) { return node.kind == Kind::Number || node.kind == Kind::Unknown; }

  std::optional<Node> Concatenation() {
    std::optional<Node> left = Additive();
    while (left && Next(ixion::fop_concat)) {
      ++at_;
      const std::optional<Node> right = Additive();
      if (!right || !Joinable(*left) || !Joinable(*right)) return std::nullopt;
      left = Node{"(" + left->text + "&" + right->text + ")", Kind::Text, true};
    }
    return left;
  }

  static bool Joinable(const Node& node) { return node.kind != Kind::Logical && node.printsAlike; }

  template <class Operand>
  std::optional<Node> Arithmetic(std::initializer_list<ixion::fopcode_t> ops, Operand operand) {
    std::optional<Node> left = (this->*operand)();
    while (left && NextIsAny(ops)) {
      const std::string op = pieces_[at_++].text;
      const std::optional<Node> right = (this->*operand)();
      if (!right || left->kind == Kind::Range || right->kind == Kind::Range) return std::nullopt;
      left = Node{"(" + left->text + op + right->text + ")", Kind::Number};
    }
    return left;
  }

  std::optional<Node> Additive() { return Arithmetic({ixion::fop_plus, ixion::fop_minus}, &Writer::Term); }
  std::optional<Node> Term() { return Arithmetic({ixion::fop_multiply, ixion::fop_divide}, &Writer::Power); }
  std::optional<Node> Power() { return Arithmetic({ixion::fop_exponent}, &Writer::Sign); }

  std::optional<Node> Sign() {
    if (!NextIsAny({ixion::fop_plus, ixion::fop_minus})) return Primary();
    const std::string op = pieces_[at_++].text;
    const std::optional<Node> operand = Sign();
    if (!operand || operand->kind == Kind::Range) return std::nullopt;
    return Node{"(" + op + operand->text + ")", Kind::Number};
  }

  std::optional<Node> Primary() {
    if (at_ >= pieces_.size()) return std::nullopt;
    const Piece& piece = pieces_[at_++];
    switch (piece.op) {
      case ixion::fop_value:
        // The engine misreads an exponent.
        if (piece.text.find('e') != std::string::npos) return std::nullopt;
        return Node{piece.text, Kind::Number, PrintsAlike(std::stod(piece.text))};
      case ixion::fop_string:
        if (piece.text.find('"', 1) != piece.text.size() - 1) return std::nullopt;
        return Node{piece.text, Kind::Text, true};
      case ixion::fop_single_ref: {
        const ReferenceTraits traits = describe_(piece);
        const Kind kind = traits.text ? Kind::Text : traits.known ? Kind::Number : Kind::Unknown;
        return Node{piece.text, kind, traits.printsAlike};
      }
      case ixion::fop_range_ref:
        return Node{piece.text, Kind::Range};
      case ixion::fop_open: {
        std::optional<Node> inner = Comparison();
        if (!inner || !Next(ixion::fop_close)) return std::nullopt;
        ++at_;
        return inner;
      }
      case ixion::fop_function:
        return Call(piece.name);
      default:
        return std::nullopt;
    }
  }

  std::optional<Node> Call(const std::string& name) {
    const auto function = std::ranges::find(kFunctions, name, &Function::name);
    if (function == kFunctions.end() || !Next(ixion::fop_open)) return std::nullopt;
    ++at_;
    std::vector<Node> arguments;
    while (!Next(ixion::fop_close)) {
      if (!arguments.empty()) {
        if (!Next(ixion::fop_sep)) return std::nullopt;
        ++at_;
      }
      std::optional<Node> argument = Comparison();
      if (!argument) return std::nullopt;
      arguments.push_back(std::move(*argument));
    }
    ++at_;
    std::string text = name + "(";
    for (std::size_t index = 0; index < arguments.size(); ++index) {
      const Node& argument = arguments[index];
      const bool condition = name == "IF" && index == 0;
      if (argument.kind == Kind::Range && !function->takesRanges) return std::nullopt;
      if (argument.kind == Kind::Logical && !condition) return std::nullopt;
      const bool asText = function->textArguments < 0 || static_cast<int>(index) < function->textArguments;
      if (asText && !Joinable(argument)) return std::nullopt;
      text += (index > 0 ? "," : "") + argument.text;
    }
    text += ")";
    // The engine takes a negative count of characters for all of them.
    const bool counted = arguments.size() < 2 || std::isdigit(static_cast<unsigned char>(arguments[1].text[0])) != 0;
    if (name == "LEFT" && !counted) return std::nullopt;
    if (name != "IF") return Node{text, function->gives, function->gives == Kind::Text};
    // The engine takes a text for false, where the host gives #VALUE!.
    if (arguments.empty() || arguments[0].kind == Kind::Text) return std::nullopt;
    if (arguments.size() != 3) return std::nullopt;
    const Kind kind = arguments[1].kind == arguments[2].kind ? arguments[1].kind : Kind::Unknown;
    return Node{text, kind, arguments[1].printsAlike && arguments[2].printsAlike};
  }

  const std::vector<Piece>& pieces_;
  const DescribeReference& describe_;
  std::size_t at_ = 0;
};

}  // namespace

bool PrintsAlike(double number) {
  std::array<char, 32> engine{};
  std::array<char, 32> host{};
  std::snprintf(engine.data(), engine.size(), "%.6g", number);
  std::snprintf(host.data(), host.size(), "%.15g", number);
  return std::string_view(engine.data()) == host.data() &&
         std::string_view(host.data()).find('e') == std::string_view::npos;
}

std::optional<EngineFormula> WriteForEngine(const std::vector<Piece>& pieces, const DescribeReference& describe) {
  return Writer(pieces, describe).Write();
}

}  // namespace tabulara::embedded::calculation
