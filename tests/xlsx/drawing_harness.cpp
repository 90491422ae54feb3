#include "drawing_harness.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "xlsx/aspects.h"
#include "xlsx/drawing/xml_lookup.h"
#include "xlsx/structure/unreachable_parts.h"
#include "xlsx/xml/xml_part.h"

namespace tabulara::xlsx::aspect_testing {

using namespace markup;
namespace {

using embedded::model::Sheet;

void ReadGrid(const pugi::xml_node& worksheet, embedded::model::Grid& grid) {
  pugi::xml_node format = ChildNamed(worksheet, "sheetFormatPr");
  if (pugi::xml_attribute height = AttributeNamed(format, "defaultRowHeight")) grid.defaultRowHeight = height.as_double();
  for (pugi::xml_node column : ChildNamed(worksheet, "cols").children()) {
    if (LocalName(column) != "col") continue;
    embedded::model::Column entry;
    if (AttributeNamed(column, "width")) entry.width = AttributeNamed(column, "width").as_double();
    entry.hidden = AttributeNamed(column, "hidden").as_bool();
    grid.columns.Assign(AttributeNamed(column, "min").as_int(), AttributeNamed(column, "max").as_int(), entry);
  }
  for (pugi::xml_node row : ChildNamed(worksheet, "sheetData").children()) {
    pugi::xml_attribute height = AttributeNamed(row, "ht");
    if (!height && !AttributeNamed(row, "hidden")) continue;
    auto& entry = grid.rows[AttributeNamed(row, "r").as_int()];
    if (height) entry.height = height.as_double();
    entry.hidden = AttributeNamed(row, "hidden").as_bool();
  }
}

}  // namespace

std::filesystem::path CorpusFile(const std::string& name) {
  std::filesystem::path file = std::filesystem::path(TABULARA_TEST_DATA) / ".." / ".." / ".." / "shared" / "corpus" / name;
  return std::filesystem::exists(file) ? file : std::filesystem::path();
}

AspectHarness::AspectHarness(const std::filesystem::path& file)
    : parts_(std::make_unique<WorkbookParts>(WorkbookParts{Package::Open(file), ContentTypes(), std::string(),
                                                           pugi::xml_document(), false, nullptr, {}, {}, {}, {}})) {
  WorkbookParts& parts = *parts_;
  parts.contentTypes = ContentTypes(parts.package.Read("[Content_Types].xml"));
  parts.workbookPart = ResolveTarget("", parts.RelationshipsOf("").FindType(kRelOfficeDocument)->target);
  parts.workbookXml = ParseXmlPart(parts.package.Read(parts.workbookPart), parts.workbookPart);
  parts.workbook = std::make_shared<embedded::model::Workbook>();
  parts.workbook->name = file.filename().string();
  Relationships& relationships = parts.RelationshipsOf(parts.workbookPart);
  for (pugi::xml_node element : ChildNamed(parts.workbookXml.document_element(), "sheets").children()) {
    const Relationship* relationship = relationships.Find(AttributeNamed(element, "id").value());
    if (relationship == nullptr || relationship->type != kRelWorksheet) continue;
    auto sheet = std::make_unique<SheetPart>();
    sheet->sheet = std::make_shared<Sheet>();
    sheet->sheet->name = AttributeNamed(element, "name").value();
    sheet->partName = ResolveTarget(parts.workbookPart, relationship->target);
    sheet->relationshipId = relationship->id;
    sheet->xml = ParseXmlPart(parts.package.Read(sheet->partName), sheet->partName);
    ReadGrid(sheet->xml.document_element(), sheet->sheet->grid);
    parts.workbook->sheets.push_back(sheet->sheet);
    sheet->aspects.push_back(MakeDrawingAspect());
    sheet->aspects.push_back(MakeCommentsAspect());
    sheet->aspects.push_back(MakeHyperlinksAspect());
    for (auto& aspect : sheet->aspects) aspect->Read(parts, *sheet);
    parts.sheets.push_back(std::move(sheet));
  }
  parts.reachableWhenRead = ReachableParts(parts);
}

AspectHarness::~AspectHarness() = default;

Sheet& AspectHarness::sheet(const std::string& name) {
  for (auto& sheet : parts_->sheets) {
    if (sheet->sheet->name == name) return *sheet->sheet;
  }
  throw std::out_of_range("no sheet " + name);
}

void AspectHarness::Save(const std::filesystem::path& file) {
  WorkbookParts& parts = *parts_;
  for (auto& sheet : parts.sheets) {
    for (auto& aspect : sheet->aspects) aspect->Write(parts, *sheet);
    if (sheet->xmlChanged) parts.package.Write(sheet->partName, SerializeXmlPart(sheet->xml));
    sheet->xmlChanged = false;
  }
  RemoveUnreachableParts(parts);
  for (auto& [part, relationships] : parts.relationships) {
    if (!relationships.Changed()) continue;
    if (relationships.All().empty()) {
      if (parts.package.Has(RelsPartNameOf(part))) parts.package.Remove(RelsPartNameOf(part));
    } else {
      parts.package.Write(RelsPartNameOf(part), relationships.Serialize());
    }
  }
  if (parts.contentTypes.Changed()) parts.package.Write("[Content_Types].xml", parts.contentTypes.Serialize());
  parts.package.Save(file);
}

std::set<std::string> DifferingParts(const std::filesystem::path& a, const std::filesystem::path& b) {
  Package first = Package::Open(a);
  Package second = Package::Open(b);
  std::set<std::string> differing;
  for (const std::string& name : first.PartNames()) {
    if (!second.Has(name) || first.Read(name) != second.Read(name)) differing.insert(name);
  }
  for (const std::string& name : second.PartNames()) {
    if (!first.Has(name)) differing.insert(name);
  }
  return differing;
}

std::string PartOf(const std::filesystem::path& file, const std::string& part) {
  Package package = Package::Open(file);
  return package.Read(part);
}

bool PythonHas(const std::string& module) {
  return std::system(("/usr/bin/python3 -c 'import " + module + "' 2>/dev/null").c_str()) == 0;
}

std::optional<std::string> RunOpenpyxl(const std::string& script, const std::filesystem::path& file) {
  if (!PythonHas("openpyxl")) return std::nullopt;
  std::filesystem::path path = std::filesystem::path(TABULARA_TEST_DATA) / ".." / "xlsx" / "interop" / script;
  std::string command = "/usr/bin/python3 '" + path.string() + "' '" + file.string() + "' 2>/dev/null";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) throw std::runtime_error("cannot run " + command);
  std::string output;
  char buffer[4096];
  while (std::size_t read = std::fread(buffer, 1, sizeof buffer, pipe.get())) output.append(buffer, read);
  return output;
}

TempFile::TempFile(const std::string& name)
    : path_(std::filesystem::temp_directory_path() / ("tabulara-" + std::to_string(getpid()) + "-" + name)) {}

TempFile::~TempFile() {
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

}  // namespace tabulara::xlsx::aspect_testing
