#include <gtest/gtest.h>

#include <fstream>

#include "xlsx/package/package_error.h"
#include "xlsx/structure_files.h"
#include "xlsx/workbook_file.h"

namespace tabulara::xlsx {
namespace {

using testing::CorpusFolder;
using testing::ScratchFolder;

struct SaveCase {
  const char* source;
  const char* target;
  // The message of the refusal; empty when the name fits.
  const char* refusal;
};

std::string Bytes(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(stream), {});
}

// A package under a name of another kind is one that a spreadsheet program
// will not open; the file already there is kept.
TEST(SaveNames, TheExtensionMustBeTheOneOfTheWorkbooksKind) {
  if (!std::filesystem::exists(CorpusFolder() / "excel_macro.xlsm")) GTEST_SKIP() << "the shared corpus is missing";
  ScratchFolder folder;
  const SaveCase cases[] = {
      {"excel_internal_hyperlinks.xlsx", "legacy.xls",
       ": not written: the workbook is saved as an .xlsx file, so its name must end in .xlsx (-o NAME.xlsx)"},
      {"excel_macro.xlsm", "macro.xlsx",
       ": not written: the macro-enabled workbook is saved as an .xlsm file, so its name must end in .xlsm "
       "(-o NAME.xlsm)"},
      {"excel_template_minimal.xltx", "template.xlsx",
       ": not written: the template is saved as an .xltx file, so its name must end in .xltx (-o NAME.xltx)"},
      {"excel_internal_hyperlinks.xlsx", "no-extension",
       ": not written: the workbook is saved as an .xlsx file, so its name must end in .xlsx (-o NAME.xlsx)"},
      {"excel_macro.xlsm", "MACRO.XLSM", ""},
      {"excel_template_minimal.xltx", "copy.xltx", ""},
  };
  for (const auto& [source, target, refusal] : cases) {
    SCOPED_TRACE(target);
    const auto file = folder / target;
    std::ofstream(file) << "kept";
    auto workbook = WorkbookFile::Open(CorpusFolder() / source);
    if (*refusal == '\0') {
      EXPECT_NO_THROW(workbook->Save(file));
      EXPECT_NE(Bytes(file), "kept");
      continue;
    }
    try {
      workbook->Save(file);
      ADD_FAILURE() << "written";
    } catch (const PackageError& error) {
      EXPECT_EQ(error.what(), file.string() + refusal);
    }
    EXPECT_TRUE(Bytes(file) == "kept") << "written over";
  }
}

}  // namespace
}  // namespace tabulara::xlsx
