#include "embedded/rules/sheet_names.h"

#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

#include "embedded/rules/host_errors.h"

namespace tabulara::embedded {
namespace {

icu::UnicodeString Unicode(std::string_view text) {
  return icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<std::int32_t>(text.size())));
}

bool Forbidden(char16_t unit) {
  switch (unit) {
    case u'\0':
    case u':':
    case u'\\':
    case u'/':
    case u'?':
    case u'*':
    case u'[':
    case u']':
      return true;
    default:
      return false;
  }
}

std::uint8_t AsciiFolded(std::uint8_t unit) { return unit >= 'A' && unit <= 'Z' ? static_cast<std::uint8_t>(unit + ('a' - 'A')) : unit; }

}  // namespace

void ValidateSheetName(std::string_view name) {
  icu::UnicodeString text = Unicode(name);
  if (text.isEmpty() || static_cast<std::size_t>(text.length()) > kMaxSheetNameLength) throw InvalidSheetName();
  for (std::int32_t i = 0; i < text.length(); ++i) {
    if (Forbidden(text.charAt(i))) throw InvalidSheetName();
  }
  if (text.charAt(0) == u'\'' || text.charAt(text.length() - 1) == u'\'') throw InvalidSheetName();
  if (SameSheetName(name, "History")) throw ReservedSheetName();
}

bool SameSheetName(std::string_view a, std::string_view b) {
  const auto* first = reinterpret_cast<const std::uint8_t*>(a.data());
  const auto* second = reinterpret_cast<const std::uint8_t*>(b.data());
  const auto firstLength = static_cast<std::int32_t>(a.size());
  const auto secondLength = static_cast<std::int32_t>(b.size());
  std::int32_t i = 0;
  std::int32_t j = 0;
  while (i < firstLength && j < secondLength) {
    if (first[i] < 0x80 && second[j] < 0x80) {
      if (AsciiFolded(first[i++]) != AsciiFolded(second[j++])) return false;
      continue;
    }
    UChar32 x = 0;
    UChar32 y = 0;
    U8_NEXT_OR_FFFD(first, i, firstLength, x);
    U8_NEXT_OR_FFFD(second, j, secondLength, y);
    if (x != y && u_foldCase(x, U_FOLD_CASE_DEFAULT) != u_foldCase(y, U_FOLD_CASE_DEFAULT)) return false;
  }
  return i == firstLength && j == secondLength;
}

std::string UniqueSheetName(const model::Workbook& workbook, std::string_view name) {
  if (!FindSheet(workbook, name)) return std::string(name);
  icu::UnicodeString base = Unicode(name);
  for (int number = 2;; ++number) {
    icu::UnicodeString suffix = Unicode(" (" + std::to_string(number) + ")");
    auto room = static_cast<std::int32_t>(kMaxSheetNameLength) - suffix.length();
    icu::UnicodeString candidate = base;
    if (candidate.length() > room) {
      candidate.truncate(room);
      if (room > 0 && U16_IS_LEAD(candidate.charAt(room - 1))) candidate.truncate(room - 1);
    }
    candidate += suffix;
    std::string text;
    candidate.toUTF8String(text);
    if (!FindSheet(workbook, text)) return text;
  }
}

std::shared_ptr<model::Sheet> FindSheet(const model::Workbook& workbook, std::string_view name) {
  for (const std::shared_ptr<model::Sheet>& sheet : workbook.sheets) {
    if (SameSheetName(sheet->name, name)) return sheet;
  }
  return nullptr;
}

}  // namespace tabulara::embedded
