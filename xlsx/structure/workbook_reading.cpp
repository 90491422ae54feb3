#include <stdlib.h>

#include <algorithm>
#include <array>
#include <new>
#include <string_view>
#include <vector>

#include "xlsx/aspects.h"
#include "xlsx/cells/sheet_data_text.h"
#include "xlsx/legacy/legacy_workbook.h"
#include "xlsx/package/package_error.h"
#include "xlsx/structure/sheet_aspects.h"
#include "xlsx/structure/unreachable_parts.h"
#include "xlsx/structure/workbook_aspect_order.h"
#include "xlsx/structure/workbook_io.h"
#include "xlsx/xml/xml_names.h"
#include "xlsx/xml/xml_part.h"

namespace tabulara::xlsx {
namespace {

using namespace structure;

constexpr std::array<std::string_view, 5> kWorkbookContentTypes{
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml",
    "application/vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml",
    "application/vnd.ms-excel.sheet.macroEnabled.main+xml",
    "application/vnd.ms-excel.template.macroEnabled.main+xml",
    "application/vnd.ms-excel.addin.macroEnabled.main+xml",
};

// A folder of its own under the system's temporary folder, removed with
// everything in it.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tabulara-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw PackageError("cannot create a temporary folder");
    path_ = pattern;
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  ~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

std::string PartRead(WorkbookParts& parts, const std::string& name, const std::string& missing) {
  const auto stored = parts.package.Find(name);
  if (!stored) throw PackageError(missing);
  return parts.package.Read(*stored);
}

void ReadWorkbookPart(WorkbookParts& parts) {
  parts.contentTypes = ContentTypes(
      PartRead(parts, "[Content_Types].xml", "not a workbook package ([Content_Types].xml is missing)"));
  if (!parts.package.Has(RelsPartNameOf(""))) {
    throw PackageError("not a workbook package (_rels/.rels is missing)");
  }
  const Relationship* document = parts.RelationshipsOf("").FindType(kRelOfficeDocument);
  if (document == nullptr || document->external) {
    throw PackageError("not a workbook package (_rels/.rels names no main document part)");
  }
  const std::string target = ResolveTarget("", document->target);
  const auto stored = parts.package.Find(target);
  if (!stored) throw PackageError("the workbook part " + target + " is missing");
  parts.workbookPart = *stored;
  const std::string contentType = parts.contentTypes.Of(parts.workbookPart);
  if (std::find(kWorkbookContentTypes.begin(), kWorkbookContentTypes.end(), contentType) ==
      kWorkbookContentTypes.end()) {
    throw PackageError("not a workbook (its main part " + parts.workbookPart + " is of the type \"" + contentType +
                       "\")");
  }
  parts.workbookXml = ParseXmlPart(parts.package.Read(parts.workbookPart), parts.workbookPart);
  if (LocalName(parts.workbookXml.document_element()) != "workbook") {
    throw PackageError("the part " + parts.workbookPart + " holds no workbook");
  }
}

void ReadSheetPart(WorkbookParts& parts, SheetPart& sheet, WorksheetText text) {
  sheet.xml = ParseXmlPart(text.outer, sheet.partName);
  sheet.sheetRows = std::move(text.rows);
  AttachSheetAspects(sheet);
  for (const auto& aspect : sheet.aspects) aspect->Read(parts, sheet);
}

std::unique_ptr<WorkbookParts> ReadPackage(const std::filesystem::path& file, const std::string& name,
                                           PackageLimits limits) {
  auto parts = std::make_unique<WorkbookParts>();
  parts->package = Package::Open(file, limits);
  ReadWorkbookPart(*parts);
  parts->workbook = std::make_shared<embedded::model::Workbook>();
  parts->workbook->name = name;
  parts->aspects.push_back(MakeWorkbookStructureAspect());
  parts->aspects.push_back(MakeStylesAspect());
  parts->aspects.push_back(MakeSharedStringsAspect());
  parts->aspects.push_back(MakeCalculationAspect());
  for (const auto slot : {kStructureSlot, kStylesSlot, kSharedStringsSlot}) parts->aspects[slot]->Read(*parts);
  // Every sheet is inflated before any is parsed, so that the inflater's
  // buffers are reused from part to part rather than taken afresh.
  std::vector<WorksheetText> texts;
  texts.reserve(parts->sheets.size());
  for (const auto& sheet : parts->sheets) {
    texts.push_back(SplitWorksheetXml(parts->package.Take(sheet->partName), sheet->partName));
  }
  for (std::size_t i = 0; i < parts->sheets.size(); ++i) ReadSheetPart(*parts, *parts->sheets[i], std::move(texts[i]));
  parts->aspects[kCalculationSlot]->Read(*parts);
  parts->reachableWhenRead = ReachableParts(*parts);
  return parts;
}

std::unique_ptr<WorkbookParts> ReadAnyWorkbook(const std::filesystem::path& file, PackageLimits limits) {
  const std::string name = file.filename().string();
  if (!IsLegacyBinaryWorkbook(file)) return ReadPackage(file, name, limits);
  TemporaryFolder folder;
  const auto converted = ConvertLegacyWorkbook(file, folder.path());
  if (!converted) {
    throw PackageError(
        "is a legacy binary workbook (Excel 97-2003 format), which cannot be read; save it as an .xlsx workbook");
  }
  return ReadPackage(*converted, name, limits);
}

}  // namespace

std::unique_ptr<WorkbookParts> ReadWorkbookParts(const std::filesystem::path& file, PackageLimits limits) {
  const std::string prefix = file.string() + ":";
  auto named = [&](std::string_view what) {
    return PackageError(what.starts_with(prefix) ? std::string(what) : prefix + " " + std::string(what));
  };
  try {
    return ReadAnyWorkbook(file, limits);
  } catch (const PackageError& error) {
    throw named(error.what());
  } catch (const std::bad_alloc&) {
    throw named("too large to read");
  } catch (const std::exception& error) {
    throw named(std::string("cannot be read (") + error.what() + ")");
  }
}

}  // namespace tabulara::xlsx
