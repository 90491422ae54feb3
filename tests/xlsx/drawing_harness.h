#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "xlsx/workbook_parts.h"

namespace tabulara::xlsx::aspect_testing {

// The shared corpus of real workbook files beside the repository; empty
// when it is not there.
std::filesystem::path CorpusFile(const std::string& name);

// A package read into WorkbookParts with only the drawing, comments and
// hyperlinks aspects on every worksheet, and the sheets' column widths and
// row heights the drawing needs; the other aspects are not involved.
class AspectHarness {
 public:
  explicit AspectHarness(const std::filesystem::path& file);
  ~AspectHarness();

  embedded::model::Workbook& workbook() { return *parts_->workbook; }
  embedded::model::Sheet& sheet(const std::string& name);
  WorkbookParts& parts() { return *parts_; }
  // Runs the aspects' Write and saves the package to `file`.
  void Save(const std::filesystem::path& file);

 private:
  std::unique_ptr<WorkbookParts> parts_;
};

// The names of the parts whose bytes differ between two packages, parts
// present in only one of them included.
std::set<std::string> DifferingParts(const std::filesystem::path& a, const std::filesystem::path& b);
// A part's bytes.
std::string PartOf(const std::filesystem::path& file, const std::string& part);

// Runs a script of tests/xlsx/interop with /usr/bin/python3 on a file and
// returns what it printed; nothing when openpyxl is not installed.
std::optional<std::string> RunOpenpyxl(const std::string& script, const std::filesystem::path& file);
// Whether /usr/bin/python3 can import `module`.
bool PythonHas(const std::string& module);

// A temporary file removed with this object.
class TempFile {
 public:
  explicit TempFile(const std::string& name);
  ~TempFile();
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace tabulara::xlsx::aspect_testing
