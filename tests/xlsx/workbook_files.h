#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "embedded/model/workbook.h"
#include "host/variant.h"
#include "xlsx/workbook_file.h"

namespace tabulara::xlsx::testing {

// A package's parts by name, as they inflate.
using Parts = std::map<std::string, std::string>;

inline constexpr const char* kMainNamespace = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
inline constexpr const char* kRelationshipsNamespace =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// A file of the shared corpus beside the repository; empty when it is not there.
std::filesystem::path CorpusFile(const std::string& name);
// A file of tests/data/xlsx: small OLE2 compound files (word_document.cfb,
// encrypted_package.cfb, workbook_stream.cfb) whose directory holds empty
// streams of the names of a Word document, an encrypted package and a
// legacy workbook.
std::filesystem::path TestData(const std::string& name);
std::string BytesOf(const std::filesystem::path& file);
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

Parts PartsOf(const std::filesystem::path& file);
void WritePackage(const std::filesystem::path& file, const Parts& parts);
// The names of the parts whose bytes differ, parts present in only one included.
std::set<std::string> DifferingParts(const Parts& before, const Parts& after);

// A worksheet part of the elements given.
std::string WorksheetXml(const std::string& body);
// The parts of a small, valid workbook of `sheets` worksheets "Sheet1",
// "Sheet2", ..., each of the elements `worksheet`.
Parts MinimalWorkbookParts(const std::string& worksheet = "<sheetData/>", int sheets = 1);
// The workbook with one more part of the workbook's, of kind `kind`
// ("sharedStrings"), under relationship `id`.
Parts WithWorkbookPart(Parts parts, const std::string& kind, const std::string& id, const std::string& xml);

embedded::model::Sheet& SheetNamed(const embedded::model::Workbook& workbook, std::string_view name);
embedded::model::CellAddress Address(std::string_view cell);
// The cell's value as the host gives it ("B3").
host::Variant ValueAt(const embedded::model::Workbook& workbook, const embedded::model::Sheet& sheet,
                      std::string_view cell);
// The cell's formula, "" without one.
std::string FormulaAt(const embedded::model::Sheet& sheet, std::string_view cell);
const embedded::model::CellFormat& FormatAt(const embedded::model::Workbook& workbook,
                                            const embedded::model::Sheet& sheet, std::string_view cell);
// Stores `value` in the cell, as a constant.
void Store(embedded::model::Workbook& workbook, embedded::model::Sheet& sheet, std::string_view cell,
           const host::Variant& value);

// A workbook file opened, changed, saved and opened again, with the parts
// before and after the save.
class FileTest : public ::testing::Test {
 protected:
  // Opens a file of the corpus.
  embedded::model::Workbook& Open(const std::string& corpusName);
  // Writes the parts as a package and opens it.
  embedded::model::Workbook& OpenParts(const Parts& parts);
  // Saves the open file as `name`, reads its parts and opens it again.
  embedded::model::Workbook& Save(const std::string& name = "saved.xlsx");
  std::set<std::string> Differing() const { return DifferingParts(before, after); }
  // Expects the saved part to hold each text, or none of them.
  void ExpectIn(const std::string& part, std::initializer_list<std::string_view> texts) const;
  void ExpectNotIn(const std::string& part, std::initializer_list<std::string_view> texts) const;

  ScratchFolder folder;
  std::filesystem::path original;
  std::unique_ptr<WorkbookFile> file;
  std::unique_ptr<WorkbookFile> reopened;
  Parts before;
  Parts after;
};

// A FileTest skipped when the corpus is not beside the repository.
class CorpusTest : public FileTest {
 protected:
  void SetUp() override;
};

}  // namespace tabulara::xlsx::testing
