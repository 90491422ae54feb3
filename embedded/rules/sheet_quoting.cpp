#include "embedded/rules/sheet_quoting.h"

#include <cctype>
#include <cstdint>
#include <vector>

#include "embedded/model/cell_address.h"
#include "embedded/rules/unicode_facts.h"
#include "embedded/rules/utf8.h"

namespace tabulara::embedded {
namespace {

bool IsEmoji(char32_t point) { return unicode::IsExtendedPictographic(point); }

bool IsWordCharacter(char32_t point) {
  return point == '_' || unicode::IsLetterOrNumber(point) || IsEmoji(point);
}

bool HasOtherCharacters(const std::vector<char32_t>& points) {
  for (char32_t point : points) {
    if (point != '.' && !IsWordCharacter(point)) return true;
  }
  return false;
}

bool StartsBadly(const std::vector<char32_t>& points) {
  char32_t first = points.front();
  return first == '.' || unicode::IsDecimalDigit(first) || IsEmoji(first);
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

// The number of digits at `at`, read into `number` (capped, to stay in range).
std::size_t ReadDigits(const std::string& text, std::size_t at, std::int64_t& number) {
  std::size_t digits = 0;
  number = 0;
  while (at + digits < text.size() && std::isdigit(static_cast<unsigned char>(text[at + digits]))) {
    if (number <= model::kRowCount) number = number * 10 + (text[at + digits] - '0');
    ++digits;
  }
  return digits;
}

bool ReadsAsA1Cell(const std::string& upper) {
  std::size_t letters = 0;
  std::int64_t column = 0;
  while (letters < upper.size() && upper[letters] >= 'A' && upper[letters] <= 'Z') {
    column = column * 26 + (upper[letters] - 'A' + 1);
    ++letters;
  }
  if (letters == 0 || letters > 3) return false;
  std::int64_t row = 0;
  std::size_t digits = ReadDigits(upper, letters, row);
  return digits > 0 && letters + digits == upper.size() && row >= 1 && row <= model::kRowCount &&
         column <= model::kColumnCount;
}

bool StartsAsR1C1Reference(const std::string& upper) {
  if (upper == "R" || upper == "C" || upper == "RC") return true;
  std::int64_t number = 0;
  if (upper.starts_with("R") && ReadDigits(upper, 1, number) > 0 && number >= 1 && number <= model::kRowCount) {
    return true;
  }
  std::size_t column = upper.starts_with("RC") ? 2 : upper.starts_with("C") ? 1 : 0;
  return column > 0 && ReadDigits(upper, column, number) > 0 && number >= 1 && number <= model::kColumnCount;
}

}  // namespace

std::string DoubleApostrophes(std::string_view text) {
  std::string doubled;
  for (char c : text) {
    doubled += c;
    if (c == '\'') doubled += c;
  }
  return doubled;
}

std::optional<std::string> TakeQuotedSheetName(std::string_view& text) {
  std::string name;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] != '\'') {
      name += text[at];
    } else if (at + 1 < text.size() && text[at + 1] == '\'') {
      name += '\'';
      ++at;
    } else if (at + 1 < text.size() && text[at + 1] == '!') {
      text.remove_prefix(at + 2);
      return name;
    } else {
      return std::nullopt;
    }
  }
  return std::nullopt;
}

bool SheetNameNeedsQuotes(std::string_view sheet) {
  std::vector<char32_t> points = CodePoints(sheet);
  if (points.empty()) return false;
  if (HasOtherCharacters(points) || StartsBadly(points)) return true;
  std::string upper = Upper(sheet);
  return ReadsAsA1Cell(upper) || StartsAsR1C1Reference(upper);
}

std::string SheetPrefix(std::string_view sheet) {
  if (!SheetNameNeedsQuotes(sheet)) return std::string(sheet) + "!";
  return "'" + DoubleApostrophes(sheet) + "'!";
}

std::string ExternalPrefix(std::string_view book, std::string_view sheet) {
  bool quoted = SheetNameNeedsQuotes(sheet) || HasOtherCharacters(CodePoints(book));
  std::string reference = "[" + std::string(book) + "]" + std::string(sheet);
  if (!quoted) return reference + "!";
  return "'" + DoubleApostrophes(reference) + "'!";
}

}  // namespace tabulara::embedded
