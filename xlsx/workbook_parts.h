#pragma once

#include <pugixml.hpp>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "embedded/model/workbook.h"
#include "xlsx/cells/sheet_data_text.h"
#include "xlsx/opc/content_types.h"
#include "xlsx/opc/relationships.h"
#include "xlsx/package/package.h"

namespace tabulara::xlsx {

struct WorkbookParts;
struct SheetPart;

// One aspect of a sheet part (its cells, its drawing, its hyperlinks ...):
// reads it into the model, remembers what it read, and on saving writes it
// back when the model's state of it changed. One instance per sheet.
class SheetAspect {
 public:
  virtual ~SheetAspect() = default;
  virtual void Read(WorkbookParts& parts, SheetPart& sheet) = 0;
  // Edits the sheet's XML (and any parts of its own) when the model changed
  // since Read; returns whether it changed the sheet's XML.
  virtual bool Write(WorkbookParts& parts, SheetPart& sheet) = 0;
};

// One aspect of the workbook as a whole (its sheets list, styles, shared
// strings, ...). Workbook aspects read before the sheets and write after
// them, in their order.
class WorkbookAspect {
 public:
  virtual ~WorkbookAspect() = default;
  virtual void Read(WorkbookParts& parts) = 0;
  virtual void Write(WorkbookParts& parts) = 0;
};

// A worksheet or chart-sheet part and the model sheet read from it.
struct SheetPart {
  SheetPart() = default;
  SheetPart(const SheetPart&) = delete;
  SheetPart& operator=(const SheetPart&) = delete;
  // A model sheet whose content was not read yet cannot read it any more.
  ~SheetPart();

  std::shared_ptr<embedded::model::Sheet> sheet;
  // "xl/worksheets/sheet1.xml".
  std::string partName;
  // The id of the workbook part's relationship to it.
  std::string relationshipId;
  // The part's XML, read with the model sheet's content; a worksheet's
  // <sheetData> is empty here, its content held in `sheetRows`.
  pugi::xml_document xml;
  SheetRows sheetRows;
  // Set by the aspects that edited `xml` or `sheetRows`; the part is then
  // written.
  bool xmlChanged = false;
  std::vector<std::unique_ptr<SheetAspect>> aspects;
};

// Everything of one open package that readers and writers share.
struct WorkbookParts {
  Package package;
  ContentTypes contentTypes;
  // "xl/workbook.xml".
  std::string workbookPart;
  pugi::xml_document workbookXml;
  bool workbookXmlChanged = false;
  std::shared_ptr<embedded::model::Workbook> workbook;
  // The active sheet as the package has it, when read or last written.
  std::weak_ptr<embedded::model::Sheet> activeSheetInFile;
  // In the order of the workbook part's sheets element.
  std::vector<std::unique_ptr<SheetPart>> sheets;
  std::vector<std::unique_ptr<WorkbookAspect>> aspects;
  // Why the first sheet that could not be read could not.
  std::optional<std::string> readFailure;
  // Told of every sheet whose content was read from the package.
  std::function<void(const embedded::model::Sheet&)> sheetRead;

  // The relationships of a part, read on first use (empty when it has none);
  // changed ones are written with the package.
  Relationships& RelationshipsOf(const std::string& partName);
  std::map<std::string, Relationships> relationships;
  // The parts the package's relationships reached when it was read or last
  // written; those no longer reached are removed when writing.
  std::set<std::string> reachableWhenRead;
};

}  // namespace tabulara::xlsx
