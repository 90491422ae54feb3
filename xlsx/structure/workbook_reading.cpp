#include <unistd.h>

#include <algorithm>
#include <functional>
#include <new>
#include <string_view>
#include <vector>

#include "xlsx/aspects.h"
#include "xlsx/cells/sheet_data_text.h"
#include "xlsx/legacy/compound_file.h"
#include "xlsx/legacy/legacy_workbook.h"
#include "xlsx/package/input_file.h"
#include "xlsx/package/package_error.h"
#include "xlsx/structure/sheet_aspects.h"
#include "xlsx/structure/unreachable_parts.h"
#include "xlsx/structure/workbook_aspect_order.h"
#include "xlsx/structure/workbook_io.h"
#include "xlsx/structure/workbook_kinds.h"
#include "xlsx/xml/xml_names.h"
#include "xlsx/xml/xml_part.h"

namespace tabulara::xlsx {
namespace {

using namespace structure;

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
  if (WorkbookKindOf(contentType) == nullptr) {
    throw PackageError("not a workbook (its main part " + parts.workbookPart + " is of the type \"" + contentType +
                       "\")");
  }
  parts.workbookXml = ParseXmlPart(parts.package.Read(parts.workbookPart), parts.workbookPart);
  if (LocalName(parts.workbookXml.document_element()) != "workbook") {
    throw PackageError("the part " + parts.workbookPart + " holds no workbook");
  }
}

// Whether the sheet's relationships reach a drawing or comments, the only
// sources of its drawing objects.
bool MayHaveShapes(WorkbookParts& parts, const SheetPart& sheet) {
  for (const Relationship& relationship : parts.RelationshipsOf(sheet.partName).All()) {
    const std::string_view type = relationship.type;
    if (type.ends_with("/drawing") || type.ends_with("/vmlDrawing") || type.ends_with("/comments")) return true;
  }
  return false;
}

void ReadSheetPart(WorkbookParts& parts, SheetPart& sheet) {
  WorksheetText text = SplitWorksheetXml(parts.package.Take(sheet.partName), sheet.partName);
  sheet.xml = ParseXmlPart(text.outer, sheet.partName);
  sheet.sheetRows = std::move(text.rows);
  AttachSheetAspects(sheet);
  for (const auto& aspect : sheet.aspects) aspect->Read(parts, sheet);
  if (parts.sheetRead) parts.sheetRead(*sheet.sheet);
}

// A sheet's part is read when its content is first wanted.
void ReadSheetPartLater(WorkbookParts& parts, SheetPart& sheet, const std::filesystem::path& file) {
  const bool shapes = MayHaveShapes(parts, sheet);
  sheet.sheet->LoadContentLater([&parts, &sheet, file](embedded::model::Sheet&) {
    try {
      NamingTheFile(file, [&] { ReadSheetPart(parts, sheet); });
    } catch (const PackageError& error) {
      if (!parts.readFailure) parts.readFailure = error.what();
      throw;
    }
  }, shapes);
}

std::unique_ptr<WorkbookParts> ReadPackage(Package package, const std::filesystem::path& file) {
  auto parts = std::make_unique<WorkbookParts>();
  parts->package = std::move(package);
  ReadWorkbookPart(*parts);
  parts->workbook = std::make_shared<embedded::model::Workbook>();
  parts->workbook->name = file.filename().string();
  parts->aspects.push_back(MakeWorkbookStructureAspect());
  parts->aspects.push_back(MakeStylesAspect());
  parts->aspects.push_back(MakeSharedStringsAspect());
  parts->aspects.push_back(MakeCalculationAspect());
  for (const auto slot : {kStructureSlot, kStylesSlot, kSharedStringsSlot}) parts->aspects[slot]->Read(*parts);
  parts->activeSheetInFile = parts->workbook->activeSheet;
  for (const auto& sheet : parts->sheets) ReadSheetPartLater(*parts, *sheet, file);
  parts->aspects[kCalculationSlot]->Read(*parts);
  parts->reachableWhenRead = ReachableParts(*parts);
  return parts;
}

// Enough of a file's first bytes to tell a compound file.
std::string FirstBytes(const InputFile& input) {
  constexpr std::size_t kSignatureBytes = 8;
  if (input.bytes) return input.bytes->substr(0, kSignatureBytes);
  std::string start(kSignatureBytes, '\0');
  start.resize(std::max<ssize_t>(::pread(input.descriptor.get(), start.data(), start.size(), 0), 0));
  return start;
}

// A pipe is read once, whole; an OLE2 compound file is read as the package
// it converts to; a package in a regular file is read where its parts lie.
std::unique_ptr<WorkbookParts> ReadAnyWorkbook(const std::filesystem::path& file, PackageLimits limits) {
  InputFile input = OpenInputFile(file, limits.maxTotalBytes);
  if (HasCompoundFileSignature(FirstBytes(input))) {
    return ReadPackage(Package::Open(PackageOfCompoundFile(ReadAll(std::move(input), file)), file, limits), file);
  }
  return ReadPackage(Package::Open(std::move(input), file, limits), file);
}

}  // namespace

std::unique_ptr<WorkbookParts> ReadWorkbookParts(const std::filesystem::path& file, PackageLimits limits) {
  std::unique_ptr<WorkbookParts> parts;
  NamingTheFile(file, [&] { parts = ReadAnyWorkbook(file, limits); });
  return parts;
}

void NamingTheFile(const std::filesystem::path& file, const std::function<void()>& read) {
  const std::string prefix = file.string() + ":";
  auto named = [&](std::string_view what) {
    return PackageError(what.starts_with(prefix) ? std::string(what) : prefix + " " + std::string(what));
  };
  try {
    read();
  } catch (const PackageError& error) {
    throw named(error.what());
  } catch (const std::bad_alloc&) {
    throw named("too large to read");
  } catch (const std::exception& error) {
    throw named(std::string("cannot be read (") + error.what() + ")");
  }
}

}  // namespace tabulara::xlsx
