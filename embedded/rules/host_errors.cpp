#include "embedded/rules/host_errors.h"

namespace tabulara::embedded {
namespace {

// E_INVALIDARG as Office's drawing layer reports it.
constexpr long kErrOfficeValueOutOfRange = -2147024809;
constexpr long kErrOutOfMemory = 7;
// "Automation error": not the 1004 of an operation refused for its
// arguments, which callers take for "no such cells".
constexpr long kErrAutomation = 440;

std::string Text(std::string_view text) { return std::string(text); }

}  // namespace

host::HostError InvalidSheetName() {
  return host::HostError(host::kErrHostFailed,
                         "You typed an invalid name for a sheet or chart. Make sure that:\n\n"
                         "\u2022 The name that you type does not exceed 31 characters.\n"
                         "\u2022 The name does not contain any of the following characters: : \\ / ? * [ or ]\n"
                         "\u2022 The name does not begin or end with an apostrophe.\n"
                         "\u2022 You did not leave the name blank.");
}

host::HostError DuplicateSheetName() {
  return host::HostError(host::kErrHostFailed,
                         "Cannot rename a sheet to the same name as another sheet, a referenced object library or "
                         "a workbook referenced by Visual Basic.");
}

host::HostError ReservedSheetName() { return host::HostError(host::kErrHostFailed, "'History' is a reserved name."); }

host::HostError PropertyNotSet(std::string_view property, std::string_view className) {
  return host::HostError(host::kErrHostFailed,
                         "Unable to set the " + Text(property) + " property of the " + Text(className) + " class");
}

host::HostError MethodFailed(std::string_view method, std::string_view className) {
  return host::HostError(host::kErrHostFailed, Text(method) + " method of " + Text(className) + " class failed");
}

host::HostError ObjectMethodFailed(std::string_view method, std::string_view object) {
  return host::HostError(host::kErrHostFailed, "Method '" + Text(method) + "' of object '" + Text(object) + "' failed");
}

host::HostError ProtectedCell() {
  return host::HostError(host::kErrHostFailed,
                         "The cell or chart that you are trying to change is protected and therefore read-only.\n\n"
                         "To modify a protected cell or chart, first remove protection using the Unprotect Sheet "
                         "command (Tools menu, Protection submenu). You may be prompted for a password.");
}

host::HostError NoCellsFound() { return host::HostError(host::kErrHostFailed, "No cells were found."); }

host::HostError PartOfArray() { return host::HostError(host::kErrHostFailed, "You cannot change part of an array."); }

host::HostError FileNotFound(std::string_view path) {
  return host::HostError(host::kErrHostFailed,
                         "'" + Text(path) +
                             "' could not be found. Check the spelling of the file name, and verify that the file "
                             "location is correct.");
}

host::HostError UnreadableFile(std::string_view path) {
  return host::HostError(host::kErrHostFailed,
                         "Excel cannot open the file '" + Text(path) +
                             "' because the file format or file extension is not valid. Verify that the file has not "
                             "been corrupted and that the file extension matches the format of the file.");
}

host::HostError NoTemplateReader(std::string_view path) {
  return host::HostError(host::kErrHostFailed,
                         "The sheets of '" + Text(path) + "' cannot be inserted: this host has no template reader.");
}

host::HostError ObjectDeleted() { return host::HostError(host::kErrObjectRequired, "Object required"); }

host::HostError OutOfMemory() { return host::HostError(kErrOutOfMemory, "Out of memory"); }

host::HostError NotCalculated(std::string_view why) {
  return host::HostError(kErrAutomation, "Calculate method of Worksheet class failed: " + Text(why) +
                                             ", and formulas cannot be calculated here");
}

host::HostError ValueOutOfRange() {
  return host::HostError(kErrOfficeValueOutOfRange, "The specified value is out of range.");
}

}  // namespace tabulara::embedded
