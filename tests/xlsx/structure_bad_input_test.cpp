#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdlib.h>

#include <fstream>

#include "xlsx/package/package_error.h"
#include "xlsx/structure/workbook_io.h"
#include "xlsx/structure_files.h"
#include "xlsx/workbook_file.h"

namespace tabulara::xlsx {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;
using testing::MinimalWorkbookParts;
using testing::ScratchFolder;
using testing::WritePackage;

// The message of the PackageError that reading the file raises.
std::string ReadError(const std::filesystem::path& file, PackageLimits limits = {}) {
  try {
    ReadWorkbookParts(file, limits);
  } catch (const PackageError& error) {
    return error.what();
  }
  ADD_FAILURE() << file << " was read";
  return "";
}

void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

std::string Bytes(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(stream), {});
}

class StructureBadInput : public ::testing::Test {
 protected:
  // A package of the minimal workbook's parts with some replaced or removed.
  std::filesystem::path Package(const std::map<std::string, std::string>& replaced,
                                const std::vector<std::string>& removed = {}) {
    auto parts = MinimalWorkbookParts();
    for (const auto& [name, bytes] : replaced) parts[name] = bytes;
    for (const auto& name : removed) parts.erase(name);
    const auto file = folder_ / ("case" + std::to_string(++count_) + ".xlsx");
    WritePackage(file, parts);
    return file;
  }

  void ExpectError(const std::filesystem::path& file, const std::string& what, PackageLimits limits = {}) {
    const std::string message = ReadError(file, limits);
    EXPECT_THAT(message, StartsWith(file.string() + ": "));
    EXPECT_THAT(message, HasSubstr(what));
    EXPECT_THAT(message, Not(HasSubstr("\n")));
  }

  ScratchFolder folder_;
  int count_ = 0;
};

TEST_F(StructureBadInput, TheMinimalWorkbookItselfReads) {
  const auto parts = ReadWorkbookParts(Package({}));
  ASSERT_EQ(parts->workbook->sheets.size(), 1u);
  EXPECT_EQ(parts->workbook->sheets[0]->name, "Sheet1");
}

TEST_F(StructureBadInput, FilesThatAreNoZipPackage) {
  const auto truncated = folder_ / "truncated.xlsx";
  const std::string whole = Bytes(Package({}));
  WriteBytes(truncated, whole.substr(0, whole.size() / 2));
  ExpectError(truncated, "not a workbook package, or a damaged one");

  const auto text = folder_ / "text.xlsx";
  WriteBytes(text, "Name,Value\r\nA,1\r\n");
  ExpectError(text, "not a workbook package, or a damaged one");

  const auto empty = folder_ / "empty.xlsx";
  WriteBytes(empty, "");
  ExpectError(empty, "not a workbook package");

  ExpectError(folder_ / "missing.xlsx", "cannot read the file");
}

TEST_F(StructureBadInput, ZipsThatAreNoWorkbook) {
  ExpectError(Package({}, {"[Content_Types].xml"}), "not a workbook package ([Content_Types].xml is missing)");
  ExpectError(Package({}, {"_rels/.rels"}), "not a workbook package (_rels/.rels is missing)");
  ExpectError(Package({}, {"xl/workbook.xml"}), "the workbook part xl/workbook.xml is missing");
  ExpectError(Package({{"_rels/.rels",
                        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"/>"}}),
              "_rels/.rels names no main document part");

  auto document = MinimalWorkbookParts()["[Content_Types].xml"];
  const std::string workbookType = "spreadsheetml.sheet.main+xml";
  document.replace(document.find(workbookType), workbookType.size(), "wordprocessingml.document.main+xml");
  ExpectError(Package({{"[Content_Types].xml", document}}),
              "not a workbook (its main part xl/workbook.xml is of the type "
              "\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\")");
}

TEST_F(StructureBadInput, PartsThatAreNoXmlOrDeclareEntities) {
  ExpectError(Package({{"xl/workbook.xml", "<workbook><sheets>"}}), "the part xl/workbook.xml is not well-formed XML");
  ExpectError(Package({{"xl/worksheets/sheet1.xml", "PK\x03\x04 binary"}}),
              "the part xl/worksheets/sheet1.xml is not well-formed XML");
  ExpectError(Package({{"[Content_Types].xml", "<Types"}}), "the part [Content_Types].xml is not well-formed XML");
  ExpectError(Package({{"xl/_rels/workbook.xml.rels", "]]>"}}), "xl/_rels/workbook.xml.rels is not well-formed XML");

  const std::string laughs =
      "<?xml version=\"1.0\"?><!DOCTYPE workbook [<!ENTITY a \"lol\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;\">]>"
      "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheets>&b;</sheets></workbook>";
  ExpectError(Package({{"xl/workbook.xml", laughs}}), "the part xl/workbook.xml declares a document type");
}

TEST_F(StructureBadInput, ZipBombsStopAtTheLimits) {
  const std::string main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
  const auto padded = [&](std::size_t spaces) {
    return "<worksheet xmlns=\"" + main + "\">" + std::string(spaces, ' ') + "<sheetData/></worksheet>";
  };
  const auto bomb = Package({{"xl/worksheets/sheet1.xml", padded(1 << 22)}});
  // Every part within the grace size, the workbook past it.
  const auto spread = Package({{"xl/worksheets/sheet1.xml", padded(900 << 10)},
                               {"xl/workbook.xml", R"(<workbook xmlns=")" + main +
                                                       R"(" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets><sheet name="Sheet1" sheetId="1" r:id="rId1"/></sheets>)" +
                                                       std::string(900 << 10, ' ') + "</workbook>"}});
  const struct {
    std::filesystem::path file;
    PackageLimits limits;
    std::string what;
  } cases[] = {
      {bomb, PackageLimits{1 << 16, 1 << 30},
       "part xl/worksheets/sheet1.xml inflates to more than 65536 bytes; refused as a possible zip bomb (raise the "
       "limit with --max-part-size)"},
      {bomb, PackageLimits{1 << 30, 1 << 16},
       "inflates the workbook past 65536 bytes; refused as a possible zip bomb (raise the limit with "
       "--max-workbook-size)"},
      {bomb, PackageLimits{},
       "times its compressed size; refused as a possible zip bomb (raise the limit with --max-inflate-ratio)"},
      {spread, PackageLimits{},
       "times the size of its file; refused as a possible zip bomb (raise the limit with --max-inflate-ratio)"},
  };
  for (const auto& bad : cases) {
    SCOPED_TRACE(bad.what);
    ExpectError(bad.file, bad.what, bad.limits);
  }
  PackageLimits raised;
  raised.maxInflateRatio = 1e6;
  EXPECT_EQ(ReadWorkbookParts(bomb, raised)->workbook->sheets.size(), 1u);
  EXPECT_EQ(ReadWorkbookParts(spread, raised)->workbook->sheets.size(), 1u);
}

TEST_F(StructureBadInput, SheetsWhoseRelationshipsOrPartsAreMissing) {
  const std::string main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
  const std::string relationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
  ExpectError(Package({{"xl/workbook.xml", "<workbook xmlns=\"" + main + "\" xmlns:r=\"" + relationships +
                                               "\"><sheets><sheet name=\"Data\" sheetId=\"1\" r:id=\"rId9\"/>"
                                               "</sheets></workbook>"}}),
              "the sheet \"Data\" has no relationship \"rId9\" in xl/_rels/workbook.xml.rels");
  ExpectError(Package({}, {"xl/_rels/workbook.xml.rels"}),
              "the sheet \"Sheet1\" has no relationship \"rId1\" in xl/_rels/workbook.xml.rels");
  ExpectError(Package({}, {"xl/worksheets/sheet1.xml"}),
              "the part xl/worksheets/sheet1.xml of the sheet \"Sheet1\" is missing");
  ExpectError(Package({{"xl/workbook.xml", "<workbook xmlns=\"" + main + "\"><sheets/></workbook>"}}),
              "the workbook part xl/workbook.xml lists no sheets");
  ExpectError(Package({{"xl/_rels/workbook.xml.rels",
                        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                        "<Relationship Id=\"rId1\" Type=\"" +
                            relationships + "/worksheet\" Target=\"../../../outside.xml\"/></Relationships>"}}),
              "the relationship target ../../../outside.xml leaves the package");
}

TEST_F(StructureBadInput, CellReferencesOutOfTheSheet) {
  ExpectError(Package({{"xl/worksheets/sheet1.xml",
                        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>"
                        "<row r=\"1\"><c r=\"ZZZZ99999999\"><v>1</v></c></row></sheetData></worksheet>"}}),
              "ZZZZ99999999");
}

TEST_F(StructureBadInput, LegacyBinaryWorkbooksAreNamedWithoutOffice) {
  const auto legacy = testing::CorpusFolder() / "legacy_biff8_comments.xls";
  if (!std::filesystem::exists(legacy)) GTEST_SKIP() << "the shared corpus is not beside the repository";
  // A template saved as .xlt and a renamed copy are recognised by content.
  const auto renamed = folder_ / "Report.xlt";
  std::filesystem::copy_file(legacy, renamed);
  const std::string path = getenv("PATH") ? getenv("PATH") : "";
  setenv("PATH", (folder_ / "no-programs").c_str(), 1);
  for (const auto& file : {legacy, renamed}) {
    EXPECT_EQ(ReadError(file), file.string() +
                                   ": is a legacy binary workbook (Excel 97-2003 format), which cannot be read; "
                                   "save it as an .xlsx workbook");
  }
  setenv("PATH", path.c_str(), 1);
}

TEST_F(StructureBadInput, WorkbookFileOpenRaisesTheSameErrors) {
  const auto file = Package({}, {"[Content_Types].xml"});
  EXPECT_THROW(WorkbookFile::Open(file), PackageError);
}

}  // namespace
}  // namespace tabulara::xlsx
