#include "embedded/rules/go_to_reference.h"

#include "embedded/rules/reference_text.h"
#include "embedded/rules/sheet_quoting.h"

namespace tabulara::embedded {

std::optional<std::vector<QualifiedArea>> ParseGoToReference(std::string_view text) {
  std::vector<QualifiedArea> areas;
  for (;;) {
    QualifiedArea area;
    if (!text.empty() && text.front() == '\'') {
      text.remove_prefix(1);
      area.sheet = TakeQuotedSheetName(text);
      if (!area.sheet || area.sheet->empty()) return std::nullopt;
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
