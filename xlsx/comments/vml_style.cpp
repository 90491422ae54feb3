#include "xlsx/comments/vml_style.h"

#include <cstdlib>
#include <vector>

namespace tabulara::xlsx {
namespace {

std::string_view Trim(std::string_view text) {
  constexpr std::string_view kBlank = " \t\r\n";
  auto first = text.find_first_not_of(kBlank);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlank) - first + 1);
}

std::vector<std::string_view> Declarations(std::string_view style) {
  std::vector<std::string_view> declarations;
  while (!style.empty()) {
    auto end = style.find(';');
    declarations.push_back(style.substr(0, end));
    style = end == std::string_view::npos ? std::string_view() : style.substr(end + 1);
  }
  return declarations;
}

std::string_view NameOf(std::string_view declaration) { return Trim(declaration.substr(0, declaration.find(':'))); }

}  // namespace

std::optional<std::string> StyleProperty(std::string_view style, std::string_view name) {
  for (std::string_view declaration : Declarations(style)) {
    auto colon = declaration.find(':');
    if (colon != std::string_view::npos && NameOf(declaration) == name) {
      return std::string(Trim(declaration.substr(colon + 1)));
    }
  }
  return std::nullopt;
}

std::string WithStyleProperty(std::string_view style, std::string_view name, std::string_view value) {
  std::string result;
  bool replaced = false;
  for (std::string_view declaration : Declarations(style)) {
    if (!result.empty()) result += ';';
    if (!replaced && NameOf(declaration) == name) {
      result += std::string(name) + ":" + std::string(value);
      replaced = true;
    } else {
      result += declaration;
    }
  }
  if (!replaced) result += (result.empty() ? "" : ";") + std::string(name) + ":" + std::string(value);
  return result;
}

double StylePoints(std::string_view length) {
  std::string text(Trim(length));
  char* end = nullptr;
  double number = std::strtod(text.c_str(), &end);
  std::string_view unit(end);
  if (unit == "pt" || unit.empty()) return number;
  if (unit == "in") return number * 72;
  if (unit == "px") return number * 0.75;
  if (unit == "cm") return number * 72 / 2.54;
  if (unit == "mm") return number * 72 / 25.4;
  return 0;
}

}  // namespace tabulara::xlsx
