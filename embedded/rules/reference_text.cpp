#include "embedded/rules/reference_text.h"

#include <algorithm>
#include <cctype>

namespace tabulara::embedded {
namespace {

using model::CellRect;
using model::kColumnCount;
using model::kRowCount;

// One side of an area: a cell, a column or a row.
struct Part {
  std::optional<std::int32_t> column;
  std::optional<std::int32_t> row;
};

std::optional<Part> ParsePart(std::string_view text) {
  std::size_t at = 0;
  auto skipDollar = [&] {
    if (at < text.size() && text[at] == '$') ++at;
  };
  Part part;
  skipDollar();
  std::int64_t column = 0;
  std::size_t letters = 0;
  while (at < text.size() && std::isalpha(static_cast<unsigned char>(text[at]))) {
    column = column * 26 + (std::toupper(static_cast<unsigned char>(text[at])) - 'A' + 1);
    if (++letters > 3) return std::nullopt;
    ++at;
  }
  if (letters > 0) {
    if (column > kColumnCount) return std::nullopt;
    part.column = static_cast<std::int32_t>(column);
    skipDollar();
  }
  std::int64_t row = 0;
  std::size_t digits = 0;
  while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
    row = row * 10 + (text[at] - '0');
    if (++digits > 7) return std::nullopt;
    ++at;
  }
  if (digits > 0) {
    if (row < 1 || row > kRowCount) return std::nullopt;
    part.row = static_cast<std::int32_t>(row);
  }
  if (at != text.size() || (!part.column && !part.row)) return std::nullopt;
  return part;
}

std::optional<CellRect> ParseArea(std::string_view text) {
  std::size_t colon = text.find(':');
  std::optional<Part> first = ParsePart(text.substr(0, colon));
  if (!first) return std::nullopt;
  if (colon == std::string_view::npos) {
    if (!first->column || !first->row) return std::nullopt;
    return CellRect::Of({*first->row, *first->column});
  }
  std::optional<Part> second = ParsePart(text.substr(colon + 1));
  if (!second) return std::nullopt;
  bool cells = first->column && first->row && second->column && second->row;
  bool columns = first->column && !first->row && second->column && !second->row;
  bool rows = !first->column && first->row && !second->column && second->row;
  if (!cells && !columns && !rows) return std::nullopt;
  CellRect area;
  area.top = rows || cells ? std::min(*first->row, *second->row) : 1;
  area.bottom = rows || cells ? std::max(*first->row, *second->row) : kRowCount;
  area.left = columns || cells ? std::min(*first->column, *second->column) : 1;
  area.right = columns || cells ? std::max(*first->column, *second->column) : kColumnCount;
  return area;
}

}  // namespace

std::string ColumnLetters(std::int32_t column) {
  std::string letters;
  while (column > 0) {
    --column;
    letters.insert(letters.begin(), static_cast<char>('A' + column % 26));
    column /= 26;
  }
  return letters;
}

std::optional<std::vector<CellRect>> ParseReference(std::string_view text) {
  std::vector<CellRect> areas;
  while (true) {
    std::size_t comma = text.find(',');
    std::optional<CellRect> area = ParseArea(text.substr(0, comma));
    if (!area) return std::nullopt;
    areas.push_back(*area);
    if (comma == std::string_view::npos) return areas;
    text.remove_prefix(comma + 1);
  }
}

std::string AreaAddress(const CellRect& area) {
  auto row = [](std::int32_t number) { return "$" + std::to_string(number); };
  auto column = [](std::int32_t number) { return "$" + ColumnLetters(number); };
  if (area.WholeColumns() && !area.WholeRows()) return column(area.left) + ":" + column(area.right);
  if (area.WholeRows()) return row(area.top) + ":" + row(area.bottom);
  std::string address = column(area.left) + row(area.top);
  if (area.CellCount() > 1) address += ":" + column(area.right) + row(area.bottom);
  return address;
}

std::string AreasAddress(const std::vector<CellRect>& areas) {
  std::string address;
  for (const CellRect& area : areas) {
    if (!address.empty()) address += ",";
    address += AreaAddress(area);
  }
  return address;
}

}  // namespace tabulara::embedded
