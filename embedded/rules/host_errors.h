#pragma once

#include <string>
#include <string_view>

#include "host/host_error.h"

namespace tabulara::embedded {

// The errors the host raises, with its numbers and descriptions.

// A sheet name that is empty, too long, holds : \ / ? * [ ] or begins or
// ends with an apostrophe.
host::HostError InvalidSheetName();
host::HostError DuplicateSheetName();
host::HostError ReservedSheetName();

// "Unable to set the Name property of the Worksheet class".
host::HostError PropertyNotSet(std::string_view property, std::string_view className);
// "Move method of Worksheet class failed".
host::HostError MethodFailed(std::string_view method, std::string_view className);
// "Method 'Add' of object 'Sheets' failed".
host::HostError ObjectMethodFailed(std::string_view method, std::string_view object);

// A change to a locked cell of a protected sheet.
host::HostError ProtectedCell();
// SpecialCells found nothing.
host::HostError NoCellsFound();
// A change to some but not all cells of an array formula.
host::HostError PartOfArray();
// A file to read that is not there.
host::HostError FileNotFound(std::string_view path);
// A file that is there but cannot be read as a workbook.
host::HostError UnreadableFile(std::string_view path);
// Sheets.Add with a template while the host has no template reader.
host::HostError NoTemplateReader(std::string_view path);
// A reference to an object that has been deleted.
host::HostError ObjectDeleted();
// An operation on more cells than the host can hold.
host::HostError OutOfMemory();
// Worksheet.Calculate refused: `why` names the formula whose value is not
// known.
host::HostError NotCalculated(std::string_view why);
// An Office drawing property given a value it does not take.
host::HostError ValueOutOfRange();

}  // namespace tabulara::embedded
