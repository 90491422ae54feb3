// Files whose cost used to grow with the square of what they hold: 2,000
// <col> records over every column, opened and saved; 2,000 sheets sorted by
// `tabulara sort-sheets` (the whole command, as a process). The inputs are
// made in a temporary folder when the benchmark starts.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "xlsx/package/package.h"
#include "xlsx/workbook_file.h"

namespace {

constexpr int kCount = 2000;
const std::string kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const std::string kRelationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// The benchmarks' folder, made on first use; each benchmark removes it.
std::filesystem::path Folder() {
  const auto path = std::filesystem::temp_directory_path() / "tabulara-claims-bench";
  std::filesystem::create_directories(path);
  return path;
}

// A workbook of the worksheets given, named as given, in that order.
void WriteWorkbook(const std::filesystem::path& file, const std::vector<std::pair<std::string, std::string>>& sheets) {
  tabulara::xlsx::Package package = tabulara::xlsx::Package::Create();
  std::string types =
      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
      "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
      "<Default Extension=\"xml\" ContentType=\"application/xml\"/><Override PartName=\"/xl/workbook.xml\" "
      "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>";
  std::string list;
  std::string links;
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    const std::string number = std::to_string(i + 1);
    types += "<Override PartName=\"/xl/worksheets/sheet" + number +
             ".xml\" ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>";
    list += "<sheet name=\"" + sheets[i].first + "\" sheetId=\"" + number + "\" r:id=\"rId" + number + "\"/>";
    links += "<Relationship Id=\"rId" + number + "\" Type=\"" + kRelationships +
             "/worksheet\" Target=\"worksheets/sheet" + number + ".xml\"/>";
    package.Write("xl/worksheets/sheet" + number + ".xml",
                  "<worksheet xmlns=\"" + kMain + "\">" + sheets[i].second + "</worksheet>");
  }
  package.Write("[Content_Types].xml", types + "</Types>");
  package.Write("_rels/.rels", "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                               "<Relationship Id=\"rId1\" Type=\"" + kRelationships +
                                   "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
  package.Write("xl/workbook.xml", "<workbook xmlns=\"" + kMain + "\" xmlns:r=\"" + kRelationships + "\"><sheets>" +
                                       list + "</sheets></workbook>");
  package.Write("xl/_rels/workbook.xml.rels",
                "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" + links +
                    "</Relationships>");
  package.Save(file);
}

void OpenAndSaveColumnRecords2000(benchmark::State& state) {
  const auto input = Folder() / "column-records.xlsx";
  std::string records;
  for (int i = 0; i < kCount; ++i) records += "<col min=\"1\" max=\"16384\" width=\"" + std::to_string(i % 9 + 2) + "\"/>";
  WriteWorkbook(input, {{"Sheet1", "<cols>" + records + "</cols><sheetData/>"}});
  for (auto _ : state) tabulara::xlsx::WorkbookFile::Open(input)->Save(Folder() / "column-records-saved.xlsx");
  std::filesystem::remove_all(Folder());
}
BENCHMARK(OpenAndSaveColumnRecords2000)->Unit(benchmark::kMillisecond)->UseRealTime();

void SortSheets2000(benchmark::State& state) {
  const auto input = Folder() / "sheets.xlsx";
  std::vector<std::pair<std::string, std::string>> sheets;
  for (int i = 0; i < kCount; ++i) sheets.emplace_back("Sheet" + std::to_string(i + 1), "<sheetData/>");
  std::shuffle(sheets.begin(), sheets.end(), std::mt19937(7));
  WriteWorkbook(input, sheets);
  const std::string command = std::string(TABULARA_PROGRAM) + " sort-sheets '" + input.string() + "' -o '" +
                              (Folder() / "sheets-sorted.xlsx").string() + "' >/dev/null";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("tabulara sort-sheets failed");
  }
  std::filesystem::remove_all(Folder());
}
BENCHMARK(SortSheets2000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
