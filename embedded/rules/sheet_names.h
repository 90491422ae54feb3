#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "embedded/model/workbook.h"

namespace tabulara::embedded {

// Sheet names count UTF-16 code units, as the host does.
inline constexpr std::size_t kMaxSheetNameLength = 31;

// Raises the host's error when `name` cannot name a sheet: empty, longer
// than 31 characters, holding : \ / ? * [ ] or a NUL, beginning or ending
// with an apostrophe, or the reserved "History".
void ValidateSheetName(std::string_view name);

// Whether two sheet names are the same to the host: equal character by
// character after Unicode simple case folding ("Ä" and "ä" are the same,
// "ß" and "SS" are not).
bool SameSheetName(std::string_view a, std::string_view b);

// `name`, or when a sheet has it already, `name` followed by " (2)",
// " (3)" ... with the name shortened to keep within 31 characters, as the
// host names a copied sheet.
std::string UniqueSheetName(const model::Workbook& workbook, std::string_view name);

// The sheet of that name, compared without regard to case.
std::shared_ptr<model::Sheet> FindSheet(const model::Workbook& workbook, std::string_view name);

}  // namespace tabulara::embedded
