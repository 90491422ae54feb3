#include "xlsx/settings/selection_text.h"

#include <algorithm>

#include "embedded/rules/reference_text.h"

namespace tabulara::xlsx::settings {

using embedded::model::CellAddress;
using embedded::model::CellRect;

std::optional<std::vector<CellRect>> SqrefAreas(std::string text) {
  if (text.empty()) return std::nullopt;
  std::replace(text.begin(), text.end(), ' ', ',');
  return embedded::ParseReference(text);
}

std::string CellText(CellAddress cell) { return embedded::ColumnLetters(cell.column) + std::to_string(cell.row); }

std::string SqrefText(const std::vector<CellRect>& areas) {
  std::string text;
  for (const CellRect& area : areas) {
    if (!text.empty()) text += ' ';
    text += CellText(area.TopLeft());
    if (area.CellCount() > 1) text += ":" + CellText({area.bottom, area.right});
  }
  return text;
}

std::optional<embedded::model::Selection> ReadSelection(const pugi::xml_node& selection) {
  if (!selection) return std::nullopt;
  const auto active = SqrefAreas(selection.attribute("activeCell").value());
  const auto areas = SqrefAreas(selection.attribute("sqref").value());
  if (!active && !areas) return std::nullopt;
  embedded::model::Selection read;
  read.activeCell = active ? active->front().TopLeft() : areas->front().TopLeft();
  read.areas = areas ? *areas : std::vector<CellRect>{CellRect::Of(read.activeCell)};
  return read;
}

}  // namespace tabulara::xlsx::settings
