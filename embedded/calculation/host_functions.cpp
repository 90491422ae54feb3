#include "embedded/calculation/host_functions.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "embedded/rules/case_folding.h"
#include "host/constants.h"
#include "host/conversions.h"

namespace tabulara::embedded::calculation {
namespace {

using Arguments = std::vector<host::Variant>;

// A failed argument or result: the error value the cell shows.
struct Failure {
  int code;
};

double Number(const host::Variant& value) {
  switch (value.kind()) {
    case host::Variant::Kind::Empty:
      return 0;
    case host::Variant::Kind::Number:
      return value.AsNumber();
    case host::Variant::Kind::Date:
      return value.AsDate().serial;
    case host::Variant::Kind::Logical:
      return value.AsLogical() ? 1 : 0;
    case host::Variant::Kind::Text:
      if (const auto number = host::ParseNumber(value.AsText())) return *number;
      if (const auto date = host::ParseDate(value.AsText())) return date->serial;
      throw Failure{host::xlErrValue};
    default:
      throw Failure{host::xlErrValue};
  }
}

std::string Text(const host::Variant& value) {
  switch (value.kind()) {
    case host::Variant::Kind::Empty:
      return "";
    case host::Variant::Kind::Text:
      return value.AsText();
    case host::Variant::Kind::Logical:
      return value.AsLogical() ? "TRUE" : "FALSE";
    case host::Variant::Kind::Number:
      return host::NumberToText(value.AsNumber());
    case host::Variant::Kind::Date:
      return host::NumberToText(value.AsDate().serial);
    default:
      throw Failure{host::xlErrValue};
  }
}

// A count of digits or characters: the number with its fraction dropped.
double Whole(const host::Variant& value) { return std::trunc(Number(value)); }

// The host rounds what it would show in 15 significant digits, so that
// 2.675 rounds up to 2.68 although its binary value lies below.
double Shown(double number) {
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "%.15g", number);
  return std::strtod(text.data(), nullptr);
}

enum class Direction { Nearest, Up, Down };

double RoundTo(double number, double digits, Direction direction) {
  const double scale = std::pow(10.0, digits);
  const double scaled = Shown(number * scale);
  double whole = std::trunc(scaled);
  if (direction == Direction::Nearest) whole = std::round(scaled);
  if (direction == Direction::Up && whole != scaled) whole += scaled < 0 ? -1 : 1;
  return whole / scale;
}

// The code points of a UTF-8 text, each as its bytes.
std::vector<std::string> Characters(const std::string& text) {
  std::vector<std::string> characters;
  for (const char byte : text) {
    if (characters.empty() || (static_cast<unsigned char>(byte) & 0xC0) != 0x80) characters.emplace_back();
    characters.back() += byte;
  }
  return characters;
}

std::string Join(const std::vector<std::string>& characters, std::size_t first, std::size_t count) {
  std::string text;
  for (std::size_t at = first; at < characters.size() && at < first + count; ++at) text += characters[at];
  return text;
}

// Blanks gone at both ends, runs of them inside made one.
std::string Trimmed(const std::string& text) {
  std::string trimmed;
  for (const char c : text) {
    if (c == ' ' && (trimmed.empty() || trimmed.back() == ' ')) continue;
    trimmed += c;
  }
  if (!trimmed.empty() && trimmed.back() == ' ') trimmed.pop_back();
  return trimmed;
}

double Count(const host::Variant& value) {
  const double count = Whole(value);
  if (count < 0) throw Failure{host::xlErrValue};
  return count;
}

struct Function {
  std::string_view name;
  std::size_t minArguments;
  std::size_t maxArguments;
  host::Variant (*compute)(const Arguments& arguments);
};

host::Variant Optional(const Arguments& arguments, std::size_t index, const host::Variant& otherwise) {
  return index < arguments.size() ? arguments[index] : otherwise;
}

constexpr Function kFunctions[] = {
    {"ROUND", 2, 2, [](const Arguments& a) -> host::Variant {
       return RoundTo(Number(a[0]), Whole(a[1]), Direction::Nearest);
     }},
    {"ROUNDUP", 2, 2, [](const Arguments& a) -> host::Variant {
       return RoundTo(Number(a[0]), Whole(a[1]), Direction::Up);
     }},
    {"ROUNDDOWN", 2, 2, [](const Arguments& a) -> host::Variant {
       return RoundTo(Number(a[0]), Whole(a[1]), Direction::Down);
     }},
    {"TRUNC", 1, 2, [](const Arguments& a) -> host::Variant {
       return RoundTo(Number(a[0]), Whole(Optional(a, 1, host::Variant(0.0))), Direction::Down);
     }},
    {"ABS", 1, 1, [](const Arguments& a) -> host::Variant { return std::fabs(Number(a[0])); }},
    {"SIGN", 1, 1, [](const Arguments& a) -> host::Variant {
       const double number = Number(a[0]);
       return number > 0 ? 1.0 : number < 0 ? -1.0 : 0.0;
     }},
    {"MOD", 2, 2, [](const Arguments& a) -> host::Variant {
       const double number = Number(a[0]);
       const double divisor = Number(a[1]);
       if (divisor == 0) throw Failure{host::xlErrDiv0};
       return number - divisor * std::floor(number / divisor);
     }},
    {"SQRT", 1, 1, [](const Arguments& a) -> host::Variant {
       const double number = Number(a[0]);
       if (number < 0) throw Failure{host::xlErrNum};
       return std::sqrt(number);
     }},
    {"POWER", 2, 2, [](const Arguments& a) -> host::Variant {
       const double base = Number(a[0]);
       const double exponent = Number(a[1]);
       if (base == 0 && exponent == 0) throw Failure{host::xlErrNum};
       if (base == 0 && exponent < 0) throw Failure{host::xlErrDiv0};
       return std::pow(base, exponent);
     }},
    {"RIGHT", 1, 2, [](const Arguments& a) -> host::Variant {
       const std::vector<std::string> characters = Characters(Text(a[0]));
       const double count = Count(Optional(a, 1, host::Variant(1.0)));
       const std::size_t kept = count < static_cast<double>(characters.size()) ? static_cast<std::size_t>(count)
                                                                                : characters.size();
       return Join(characters, characters.size() - kept, kept);
     }},
    {"MID", 3, 3, [](const Arguments& a) -> host::Variant {
       const std::vector<std::string> characters = Characters(Text(a[0]));
       const double start = Whole(a[1]);
       const double count = Count(a[2]);
       if (start < 1) throw Failure{host::xlErrValue};
       if (start > static_cast<double>(characters.size())) return std::string();
       const std::size_t first = static_cast<std::size_t>(start) - 1;
       return Join(characters, first, count < 1e9 ? static_cast<std::size_t>(count) : characters.size());
     }},
    {"TRIM", 1, 1, [](const Arguments& a) -> host::Variant { return Trimmed(Text(a[0])); }},
};

const Function* Find(std::string_view name) {
  const std::string folded = CaseFolded(name);
  for (const Function& function : kFunctions) {
    if (CaseFolded(function.name) == folded) return &function;
  }
  return nullptr;
}

}  // namespace

bool IsHostFunction(std::string_view name) { return Find(name) != nullptr; }

std::optional<host::Variant> CallHostFunction(std::string_view name, const std::vector<host::Variant>& arguments) {
  const Function* function = Find(name);
  if (function == nullptr) return std::nullopt;
  for (const host::Variant& argument : arguments) {
    if (argument.IsError()) return argument;
  }
  if (arguments.size() < function->minArguments || arguments.size() > function->maxArguments) {
    return host::ErrorValue{host::xlErrValue};
  }
  try {
    const host::Variant result = function->compute(arguments);
    if (result.IsNumber() && !std::isfinite(result.AsNumber())) return host::ErrorValue{host::xlErrNum};
    return result;
  } catch (const Failure& failure) {
    return host::ErrorValue{failure.code};
  }
}

}  // namespace tabulara::embedded::calculation
