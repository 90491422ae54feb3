#include <algorithm>
#include <stdexcept>
#include <utility>

#include "embedded/embedded_host.h"
#include "embedded/rules/go_to_reference.h"

namespace tabulara::embedded {
namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// The areas of a Go To reference and the one sheet they lie on. An area
// without its sheet's name lies on the sheet the others name, else on
// `unnamed`, else on the active sheet.
std::pair<model::Sheet*, model::Areas> Resolve(const EmbeddedHost& host, std::string_view reference,
                                               model::Sheet* unnamed = nullptr) {
  const auto areas = ParseGoToReference(reference);
  if (!areas) throw std::invalid_argument("not a cell reference: " + Quoted(reference));
  const auto named = std::find_if(areas->begin(), areas->end(), [](const QualifiedArea& area) { return area.sheet; });
  if (named != areas->end()) unnamed = &host.Sheet(*named->sheet);
  if (unnamed == nullptr) unnamed = &host.ActiveSheet();
  model::Areas cells;
  for (const QualifiedArea& area : *areas) {
    if (area.sheet && &host.Sheet(*area.sheet) != unnamed) {
      throw std::invalid_argument("the areas lie on different sheets: " + Quoted(reference));
    }
    cells.push_back(area.cells);
  }
  return {unnamed, std::move(cells)};
}

}  // namespace

void EmbeddedHost::GoTo(std::string_view reference, std::string_view activeCell) {
  auto [sheet, areas] = Resolve(*this, reference);
  model::CellAddress active = areas.front().TopLeft();
  if (!activeCell.empty()) {
    const auto [cellSheet, cell] = Resolve(*this, activeCell, sheet);
    if (cell.size() != 1 || cell.front().CellCount() != 1) {
      throw std::invalid_argument("not a single cell: " + Quoted(activeCell));
    }
    active = cell.front().TopLeft();
    const bool selected = std::any_of(areas.begin(), areas.end(),
                                      [&](const model::CellRect& area) { return area.Contains(active); });
    if (cellSheet != sheet || !selected) throw std::invalid_argument("the active cell lies outside the selection");
  }
  Activate(*sheet);
  sheet->selection() = {std::move(areas), active, std::nullopt};
}

}  // namespace tabulara::embedded
