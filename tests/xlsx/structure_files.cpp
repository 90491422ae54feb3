#include "xlsx/structure_files.h"

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <array>
#include <memory>

#include "xlsx/package/package.h"

namespace tabulara::xlsx::testing {
namespace {

struct PipeClose {
  void operator()(FILE* pipe) const { pclose(pipe); }
};

std::string RunCapturing(const std::string& command, int& status) {
  std::unique_ptr<FILE, PipeClose> pipe(popen(command.c_str(), "r"));
  std::string output;
  if (!pipe) {
    status = -1;
    return output;
  }
  std::array<char, 4096> chunk;
  while (const std::size_t read = fread(chunk.data(), 1, chunk.size(), pipe.get())) output.append(chunk.data(), read);
  status = pclose(pipe.release());
  return output;
}

}  // namespace

std::filesystem::path CorpusFolder() {
  return std::filesystem::weakly_canonical(std::filesystem::path(TABULARA_TEST_DATA) / "../../../shared/corpus");
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
  std::string pattern = (std::filesystem::temp_directory_path() / "tabulara-structure-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a scratch folder");
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::map<std::string, std::string> PartsOf(const std::filesystem::path& file) {
  Package package = Package::Open(file);
  std::map<std::string, std::string> parts;
  for (const std::string& name : package.PartNames()) {
    if (!name.ends_with('/')) parts[name] = package.Read(name);
  }
  return parts;
}

void WritePackage(const std::filesystem::path& file, const std::map<std::string, std::string>& parts) {
  Package package = Package::Create();
  for (const auto& [name, bytes] : parts) package.Write(name, bytes);
  package.Save(file);
}

std::map<std::string, std::string> MinimalWorkbookParts(const std::string& sheetData) {
  const std::string main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
  const std::string relationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
  const std::string packageRelationships = "http://schemas.openxmlformats.org/package/2006/relationships";
  return {
      {"[Content_Types].xml",
       "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
       "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
       "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
       "<Override PartName=\"/xl/workbook.xml\" "
       "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
       "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
       "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
       "</Types>"},
      {"_rels/.rels", "<Relationships xmlns=\"" + packageRelationships +
                          "\"><Relationship Id=\"rId1\" Type=\"" + relationships +
                          "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
      {"xl/workbook.xml", "<workbook xmlns=\"" + main + "\" xmlns:r=\"" + relationships +
                              "\"><sheets><sheet name=\"Sheet1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"},
      {"xl/_rels/workbook.xml.rels", "<Relationships xmlns=\"" + packageRelationships +
                                         "\"><Relationship Id=\"rId1\" Type=\"" + relationships +
                                         "/worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>"},
      {"xl/worksheets/sheet1.xml", "<worksheet xmlns=\"" + main + "\"><sheetData>" + sheetData +
                                       "</sheetData></worksheet>"},
  };
}

std::optional<std::string> OpenpyxlReport(const std::string& script, const std::filesystem::path& file) {
  int status = 0;
  RunCapturing("/usr/bin/python3 -c 'import openpyxl' 2>/dev/null", status);
  if (status != 0) return std::nullopt;
  const auto path = std::filesystem::path(TABULARA_TEST_DATA) / "../xlsx/interop" / script;
  std::string output = RunCapturing("/usr/bin/python3 '" + path.string() + "' '" + file.string() + "' 2>&1", status);
  if (status != 0) return "failed: " + output;
  return output;
}

}  // namespace tabulara::xlsx::testing
