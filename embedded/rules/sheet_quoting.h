#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tabulara::embedded {

// Whether a reference must put the sheet name in apostrophes: a character
// other than a letter, digit, "_", "." or emoji; a first character that is
// a digit, "." or emoji; a name that reads as an A1 cell ("AB12") or starts
// like an R1C1 reference ("R2", "C3", "RC4", "R", "C", "RC").
bool SheetNameNeedsQuotes(std::string_view sheet);

// The text with every apostrophe doubled, as inside a quoted name.
std::string DoubleApostrophes(std::string_view text);

// Reads a quoted sheet name whose opening apostrophe `text` no longer
// holds: the name with its apostrophes undoubled, up to the closing "'!";
// `text` keeps what follows. Nothing, and `text` unchanged, without "'!".
std::optional<std::string> TakeQuotedSheetName(std::string_view& text);

// A reference's sheet prefix: "Data!", or "'Q1 Sales'!" with apostrophes
// doubled when the name needs quotes.
std::string SheetPrefix(std::string_view sheet);

// The external form's prefix: "[Book1.xlsx]Sheet1!", or with quotes around
// book and sheet together, apostrophes doubled, when the sheet name or the
// book name needs them: "'[Book1.xlsx]Sheet''1'!".
std::string ExternalPrefix(std::string_view book, std::string_view sheet);

}  // namespace tabulara::embedded
