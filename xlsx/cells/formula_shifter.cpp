#include "xlsx/cells/formula_shifter.h"

#include <cstdint>
#include <optional>

#include "embedded/model/cell_address.h"
#include "embedded/rules/reference_text.h"

namespace tabulara::xlsx {
namespace {

using embedded::model::kColumnCount;
using embedded::model::kRowCount;

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Characters of names, references and numbers; bytes of non-ASCII
// characters belong to names.
bool IsNameChar(char c) {
  return IsLetter(c) || IsDigit(c) || c == '_' || c == '.' || c == '$' || c == '\\' || c == '?' ||
         static_cast<unsigned char>(c) >= 0x80;
}

// One part of a reference: a column ("$AB") or a row ("$12").
struct Part {
  bool anchored = false;
  std::int64_t value = 0;
};

// Reads "$"? letters at `at`; nothing unless there are 1 to 3 letters.
std::optional<Part> ReadColumn(std::string_view text, std::size_t& at) {
  std::size_t next = at;
  Part part;
  if (next < text.size() && text[next] == '$') {
    part.anchored = true;
    ++next;
  }
  const std::size_t first = next;
  while (next < text.size() && IsLetter(text[next]) && next - first < 4) {
    const char upper = text[next] >= 'a' ? static_cast<char>(text[next] - 'a' + 'A') : text[next];
    part.value = part.value * 26 + (upper - 'A' + 1);
    ++next;
  }
  if (next == first || next - first > 3) return std::nullopt;
  at = next;
  return part;
}

std::optional<Part> ReadRow(std::string_view text, std::size_t& at) {
  std::size_t next = at;
  Part part;
  if (next < text.size() && text[next] == '$') {
    part.anchored = true;
    ++next;
  }
  const std::size_t first = next;
  while (next < text.size() && IsDigit(text[next]) && next - first < 8) {
    part.value = part.value * 10 + (text[next] - '0');
    ++next;
  }
  if (next == first || (next < text.size() && IsDigit(text[next]))) return std::nullopt;
  at = next;
  return part;
}

// Moves a part unless anchored; false when it leaves the sheet.
bool Move(Part& part, int offset, std::int64_t limit) {
  if (!part.anchored) part.value += offset;
  return part.value >= 1 && part.value <= limit;
}

std::string ColumnText(const Part& part) {
  std::string text = part.anchored ? "$" : "";
  text += embedded::ColumnLetters(static_cast<std::int32_t>(part.value));
  return text;
}
std::string RowText(const Part& part) {
  std::string text = part.anchored ? "$" : "";
  text += std::to_string(part.value);
  return text;
}

class Shifter {
 public:
  Shifter(std::string_view formula, int rows, int columns) : text_(formula), rows_(rows), columns_(columns) {}

  std::string Run() {
    out_.reserve(text_.size() + 8);
    while (at_ < text_.size()) {
      const char c = text_[at_];
      if (c == '"') {
        CopyQuoted('"');
      } else if (c == '\'') {
        CopyQuoted('\'');
      } else if (c == '[') {
        CopyBracketed();
      } else if (c == '#') {
        CopyErrorLiteral();
      } else if (IsNameChar(c)) {
        Token();
      } else {
        out_ += c;
        ++at_;
      }
    }
    return std::move(out_);
  }

 private:
  void CopyQuoted(char quote) {
    const std::size_t start = at_++;
    while (at_ < text_.size()) {
      if (text_[at_] == quote) {
        if (at_ + 1 < text_.size() && text_[at_ + 1] == quote) {
          at_ += 2;
          continue;
        }
        ++at_;
        break;
      }
      ++at_;
    }
    out_.append(text_.substr(start, at_ - start));
  }

  // Structured references and external workbook indexes, nested brackets
  // and "'"-escaped characters included.
  void CopyBracketed() {
    const std::size_t start = at_;
    int depth = 0;
    while (at_ < text_.size()) {
      const char c = text_[at_++];
      if (c == '\'' && at_ < text_.size()) {
        ++at_;
      } else if (c == '[') {
        ++depth;
      } else if (c == ']' && --depth == 0) {
        break;
      }
    }
    out_.append(text_.substr(start, at_ - start));
  }

  void CopyErrorLiteral() {
    const std::size_t start = at_++;
    while (at_ < text_.size() && (IsNameChar(text_[at_]) || text_[at_] == '/')) ++at_;
    if (at_ < text_.size() && (text_[at_] == '!' || text_[at_] == '?')) ++at_;
    out_.append(text_.substr(start, at_ - start));
  }

  void Token() {
    std::size_t end = at_;
    while (end < text_.size() && IsNameChar(text_[end])) ++end;
    const std::string_view token = text_.substr(at_, end - at_);
    const char next = end < text_.size() ? text_[end] : '\0';
    const bool afterName = !out_.empty() && (IsNameChar(out_.back()) || out_.back() == ']');
    if (next == '!' || next == '(' || next == '[' || afterName || !(ShiftCell(token) || ShiftColumns() || ShiftRows())) {
      out_.append(token);
      at_ = end;
    }
  }

  bool ShiftCell(std::string_view token) {
    std::size_t at = 0;
    auto column = ReadColumn(token, at);
    if (!column) return false;
    auto row = ReadRow(token, at);
    if (!row || at != token.size() || column->value > kColumnCount || row->value > kRowCount) return false;
    if (Move(*column, columns_, kColumnCount) && Move(*row, rows_, kRowCount)) {
      out_ += ColumnText(*column) + RowText(*row);
    } else {
      out_ += "#REF!";
    }
    at_ += token.size();
    return true;
  }

  // "A:C", "$B:$B".
  bool ShiftColumns() { return ShiftWholeLines(ReadColumn, ColumnText, columns_, kColumnCount); }

  // "1:3", "$2:$2".
  bool ShiftRows() { return ShiftWholeLines(ReadRow, RowText, rows_, kRowCount); }

  // A range of whole columns or whole rows, read and written by `read` and
  // `write`, moved by `offset` within 1 to `limit`.
  template <class Read, class Write>
  bool ShiftWholeLines(Read read, Write write, int offset, std::int64_t limit) {
    std::size_t at = at_;
    auto first = read(text_, at);
    if (!first || at >= text_.size() || text_[at] != ':') return false;
    ++at;
    auto last = read(text_, at);
    if (!last || (at < text_.size() && IsNameChar(text_[at]))) return false;
    if (first->value > limit || last->value > limit) return false;
    const bool inside = Move(*first, offset, limit) && Move(*last, offset, limit);
    out_ += inside ? write(*first) + ":" + write(*last) : "#REF!";
    at_ = at;
    return true;
  }

  std::string_view text_;
  int rows_;
  int columns_;
  std::size_t at_ = 0;
  std::string out_;
};

}  // namespace

std::string ShiftFormula(std::string_view formula, int rows, int columns) {
  return Shifter(formula, rows, columns).Run();
}

}  // namespace tabulara::xlsx
