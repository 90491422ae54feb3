#include "embedded/rules/go_to_reference.h"

#include "embedded/rules/reference_text.h"

namespace tabulara::embedded {
namespace {

// The name in apostrophes that starts `text`, and the rest after its "!".
std::optional<std::string> QuotedSheet(std::string_view& text) {
  std::string name;
  for (std::size_t at = 1; at < text.size(); ++at) {
    if (text[at] != '\'') {
      name += text[at];
    } else if (at + 1 < text.size() && text[at + 1] == '\'') {
      name += '\'';
      ++at;
    } else if (at + 1 < text.size() && text[at + 1] == '!' && !name.empty()) {
      text.remove_prefix(at + 2);
      return name;
    } else {
      return std::nullopt;
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::vector<QualifiedArea>> ParseGoToReference(std::string_view text) {
  std::vector<QualifiedArea> areas;
  for (;;) {
    QualifiedArea area;
    if (!text.empty() && text.front() == '\'') {
      area.sheet = QuotedSheet(text);
      if (!area.sheet) return std::nullopt;
    } else if (const auto bang = text.find_first_of(",!"); bang != std::string_view::npos && text[bang] == '!') {
      if (bang == 0) return std::nullopt;
      area.sheet = std::string(text.substr(0, bang));
      text.remove_prefix(bang + 1);
    }
    const std::size_t comma = text.find(',');
    const auto cells = ParseReference(text.substr(0, comma));
    if (!cells || cells->size() != 1) return std::nullopt;
    area.cells = cells->front();
    areas.push_back(std::move(area));
    if (comma == std::string_view::npos) return areas;
    text.remove_prefix(comma + 1);
  }
}

}  // namespace tabulara::embedded
