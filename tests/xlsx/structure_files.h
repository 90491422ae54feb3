#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tabulara::xlsx::testing {

// The shared corpus of real workbook files, beside the repository.
std::filesystem::path CorpusFolder();
// The corpus's OOXML workbooks (.xlsx, .xlsm, .xltx).
std::vector<std::filesystem::path> CorpusWorkbooks();

// A folder of its own for one test, removed with its files.
class ScratchFolder {
 public:
  ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder();
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// Every part of a zip package by name, as it inflates.
std::map<std::string, std::string> PartsOf(const std::filesystem::path& file);
// Writes a zip package of the parts.
void WritePackage(const std::filesystem::path& file, const std::map<std::string, std::string>& parts);

// The parts of a small, valid workbook: one worksheet "Sheet1" holding
// `sheetData` inside its <sheetData>.
std::map<std::string, std::string> MinimalWorkbookParts(const std::string& sheetData = "");

// Runs the interop script with /usr/bin/python3 on the file; its output,
// or nothing when python3 or openpyxl is missing.
std::optional<std::string> OpenpyxlReport(const std::string& script, const std::filesystem::path& file);

}  // namespace tabulara::xlsx::testing
