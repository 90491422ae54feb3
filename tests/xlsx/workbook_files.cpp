#include "xlsx/workbook_files.h"

#include <gmock/gmock.h>

#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "embedded/rules/cell_values.h"
#include "embedded/rules/reference_text.h"
#include "xlsx/package/package.h"

namespace tabulara::xlsx::testing {
namespace {

std::filesystem::path CorpusFolder() {
  return std::filesystem::weakly_canonical(std::filesystem::path(TABULARA_TEST_DATA) / "../../../shared/corpus");
}

}  // namespace

std::filesystem::path CorpusFile(const std::string& name) {
  const auto path = CorpusFolder() / name;
  return std::filesystem::exists(path) ? path : std::filesystem::path();
}

std::filesystem::path TestData(const std::string& name) {
  return std::filesystem::path(TABULARA_TEST_DATA) / "xlsx" / name;
}

std::string BytesOf(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(stream), {});
}

std::vector<std::filesystem::path> CorpusWorkbooks() {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(CorpusFolder(), error)) {
    const auto extension = entry.path().extension();
    if (extension == ".xlsx" || extension == ".xlsm" || extension == ".xltx") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tabulara-xlsx-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a scratch folder");
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

Parts PartsOf(const std::filesystem::path& file) {
  Package package = Package::Open(file);
  Parts parts;
  for (const std::string& name : package.PartNames()) {
    if (!name.ends_with('/')) parts[name] = package.Read(name);
  }
  return parts;
}

void WritePackage(const std::filesystem::path& file, const Parts& parts) {
  Package package = Package::Create();
  for (const auto& [name, bytes] : parts) package.Write(name, bytes);
  package.Save(file);
}

std::set<std::string> DifferingParts(const Parts& before, const Parts& after) {
  std::set<std::string> names;
  for (const auto& [name, bytes] : before) {
    const auto found = after.find(name);
    if (found == after.end() || found->second != bytes) names.insert(name);
  }
  for (const auto& [name, bytes] : after) {
    if (!before.contains(name)) names.insert(name);
  }
  return names;
}

std::string WorksheetXml(const std::string& body) {
  return std::string("<worksheet xmlns=\"") + kMainNamespace + "\">" + body + "</worksheet>";
}

Parts MinimalWorkbookParts(const std::string& worksheet, int sheets) {
  const std::string packageRelationships = "http://schemas.openxmlformats.org/package/2006/relationships";
  std::string types =
      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
      "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
      "<Override PartName=\"/xl/workbook.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>";
  std::string list;
  std::string links;
  Parts parts;
  for (int i = 1; i <= sheets; ++i) {
    const std::string number = std::to_string(i);
    types += "<Override PartName=\"/xl/worksheets/sheet" + number +
             ".xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>";
    list += "<sheet name=\"Sheet" + number + "\" sheetId=\"" + number + "\" r:id=\"rId" + number + "\"/>";
    links += "<Relationship Id=\"rId" + number + "\" Type=\"" + kRelationshipsNamespace +
             "/worksheet\" Target=\"worksheets/sheet" + number + ".xml\"/>";
    parts["xl/worksheets/sheet" + number + ".xml"] = WorksheetXml(worksheet);
  }
  parts["[Content_Types].xml"] = types + "</Types>";
  parts["_rels/.rels"] = "<Relationships xmlns=\"" + packageRelationships + "\"><Relationship Id=\"rId1\" Type=\"" +
                         kRelationshipsNamespace + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
  parts["xl/workbook.xml"] = std::string("<workbook xmlns=\"") + kMainNamespace + "\" xmlns:r=\"" +
                             kRelationshipsNamespace + "\"><sheets>" + list + "</sheets></workbook>";
  parts["xl/_rels/workbook.xml.rels"] = "<Relationships xmlns=\"" + packageRelationships + "\">" + links +
                                        "</Relationships>";
  return parts;
}

embedded::model::Sheet& SheetNamed(const embedded::model::Workbook& workbook, std::string_view name) {
  for (const auto& sheet : workbook.sheets) {
    if (sheet->name == name) return *sheet;
  }
  throw std::invalid_argument("no sheet " + std::string(name));
}

embedded::model::CellAddress Address(std::string_view cell) {
  const auto areas = embedded::ParseReference(cell);
  if (!areas || areas->size() != 1) throw std::invalid_argument("no cell " + std::string(cell));
  return areas->front().TopLeft();
}

host::Variant ValueAt(const embedded::model::Workbook& workbook, const embedded::model::Sheet& sheet,
                      std::string_view cell) {
  return embedded::CellValue(workbook, sheet.grid(), Address(cell));
}

std::string FormulaAt(const embedded::model::Sheet& sheet, std::string_view cell) {
  const std::string* formula = sheet.grid().FormulaShown(Address(cell));
  return formula != nullptr ? *formula : "";
}

const embedded::model::CellFormat& FormatAt(const embedded::model::Workbook& workbook,
                                            const embedded::model::Sheet& sheet, std::string_view cell) {
  return workbook.formats.Get(sheet.grid().FormatOf(Address(cell)));
}

void Store(embedded::model::Workbook& workbook, embedded::model::Sheet& sheet, std::string_view cell,
           const host::Variant& value) {
  embedded::StoreEntry(workbook, sheet.grid(), Address(cell), {std::nullopt, value});
}

embedded::model::Workbook& FileTest::Open(const std::string& corpusName) {
  original = CorpusFile(corpusName);
  if (original.empty()) throw std::runtime_error("no corpus file " + corpusName);
  file = WorkbookFile::Open(original);
  before = PartsOf(original);
  return *file->workbook();
}

embedded::model::Workbook& FileTest::OpenParts(const Parts& parts) {
  original = folder / "original.xlsx";
  WritePackage(original, parts);
  file = WorkbookFile::Open(original);
  before = parts;
  return *file->workbook();
}

embedded::model::Workbook& FileTest::Save(const std::string& name) {
  file->Save(folder / name);
  after = PartsOf(folder / name);
  reopened = WorkbookFile::Open(folder / name);
  return *reopened->workbook();
}

void FileTest::ExpectIn(const std::string& part, std::initializer_list<std::string_view> texts) const {
  for (const std::string_view text : texts) EXPECT_THAT(after.at(part), ::testing::HasSubstr(text)) << part;
}

void FileTest::ExpectNotIn(const std::string& part, std::initializer_list<std::string_view> texts) const {
  for (const std::string_view text : texts) {
    EXPECT_THAT(after.at(part), ::testing::Not(::testing::HasSubstr(text))) << part;
  }
}

Parts WithWorkbookPart(Parts parts, const std::string& kind, const std::string& id, const std::string& xml) {
  parts["xl/" + kind + ".xml"] = xml;
  std::string& types = parts["[Content_Types].xml"];
  types.insert(types.find("</Types>"), "<Override PartName=\"/xl/" + kind +
                                           ".xml\" ContentType=\"application/"
                                           "vnd.openxmlformats-officedocument.spreadsheetml." +
                                           kind + "+xml\"/>");
  std::string& relationships = parts["xl/_rels/workbook.xml.rels"];
  relationships.insert(relationships.find("</Relationships>"),
                       "<Relationship Id=\"" + id + "\" Type=\"" + kRelationshipsNamespace + "/" + kind +
                           "\" Target=\"" + kind + ".xml\"/>");
  return parts;
}

void CorpusTest::SetUp() {
  if (CorpusWorkbooks().empty()) GTEST_SKIP() << "the shared corpus is not beside the repository";
}

}  // namespace tabulara::xlsx::testing
