#include "embedded/rules/sheet_names.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "embedded/rules/host_errors.h"
#include "embedded/rules/unicode_facts.h"
#include "embedded/rules/utf8.h"

namespace tabulara::embedded {
namespace {

std::size_t Utf16LengthOf(const std::vector<char32_t>& points) {
  std::size_t length = 0;
  for (char32_t point : points) length += Utf16Length(point);
  return length;
}

bool Forbidden(char32_t point) {
  switch (point) {
    case U'\0':
    case U':':
    case U'\\':
    case U'/':
    case U'?':
    case U'*':
    case U'[':
    case U']':
      return true;
    default:
      return false;
  }
}

std::uint8_t AsciiFolded(std::uint8_t unit) { return unit >= 'A' && unit <= 'Z' ? static_cast<std::uint8_t>(unit + ('a' - 'A')) : unit; }

}  // namespace

void ValidateSheetName(std::string_view name) {
  const std::vector<char32_t> points = CodePoints(name);
  if (points.empty() || Utf16LengthOf(points) > kMaxSheetNameLength) throw InvalidSheetName();
  for (char32_t point : points) {
    if (Forbidden(point)) throw InvalidSheetName();
  }
  if (points.front() == U'\'' || points.back() == U'\'') throw InvalidSheetName();
  if (SameSheetName(name, "History")) throw ReservedSheetName();
}

bool SameSheetName(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const auto first = static_cast<std::uint8_t>(a[i]);
    const auto second = static_cast<std::uint8_t>(b[j]);
    if (first < 0x80 && second < 0x80) {
      if (AsciiFolded(first) != AsciiFolded(second)) return false;
      ++i;
      ++j;
      continue;
    }
    const char32_t x = NextCodePoint(a, i);
    const char32_t y = NextCodePoint(b, j);
    if (x != y && unicode::SimpleCaseFolding(x) != unicode::SimpleCaseFolding(y)) return false;
  }
  return i == a.size() && j == b.size();
}

std::string UniqueSheetName(const model::Workbook& workbook, std::string_view name) {
  if (!FindSheet(workbook, name)) return std::string(name);
  const std::vector<char32_t> base = CodePoints(name);
  for (int number = 2;; ++number) {
    const std::string suffix = " (" + std::to_string(number) + ")";
    const std::size_t room = kMaxSheetNameLength - std::min(suffix.size(), kMaxSheetNameLength);
    std::string candidate;
    std::size_t length = 0;
    for (char32_t point : base) {
      length += Utf16Length(point);
      if (length > room) break;
      AppendUtf8(candidate, point);
    }
    candidate += suffix;
    if (!FindSheet(workbook, candidate)) return candidate;
  }
}

std::shared_ptr<model::Sheet> FindSheet(const model::Workbook& workbook, std::string_view name) {
  for (const std::shared_ptr<model::Sheet>& sheet : workbook.sheets) {
    if (SameSheetName(sheet->name, name)) return sheet;
  }
  return nullptr;
}

}  // namespace tabulara::embedded
