#include <array>
#include <set>
#include <string>
#include <string_view>

#include "xlsx/aspects.h"
#include "xlsx/cells/aspect_lookup.h"
#include "xlsx/cells/cells_aspect.h"
#include "xlsx/xml/xml_names.h"

namespace tabulara::xlsx {
namespace {

// The children of <workbook> that follow <calcPr>.
constexpr std::array<std::string_view, 9> kAfterCalcPr{"oleSize",       "customWorkbookViews", "pivotCaches",
                                                       "smartTagPr",    "smartTagTypes",       "webPublishing",
                                                       "fileRecoveryPr", "webPublishObjects",  "extLst"};

// An xsd:boolean attribute that is there and true.
bool IsTrue(const pugi::xml_attribute& attribute) {
  const std::string_view value = attribute.value();
  return value == "1" || value == "true";
}

pugi::xml_node ObtainCalcPr(pugi::xml_node workbook) {
  if (pugi::xml_node found = ChildNamed(workbook, "calcPr")) return found;
  const std::string name = NameLike(workbook, "calcPr");
  for (pugi::xml_node child = workbook.first_child(); child; child = child.next_sibling()) {
    for (const std::string_view after : kAfterCalcPr) {
      if (child.type() == pugi::node_element && IsNamed(child, after)) {
        return workbook.insert_child_before(name.c_str(), child);
      }
    }
  }
  return workbook.append_child(name.c_str());
}

// Keeps the calculation chain and properties valid: a changed or removed
// formula drops the chain (the spreadsheet rebuilds it); a changed value or
// formula asks for a full calculation when the file is next opened, unless
// the whole workbook was calculated and no cell changed since, which also
// drops a request the file came with.
class CalculationAspect : public WorkbookAspect {
 public:
  void Read(WorkbookParts& parts) override {
    for (const auto& sheet : parts.sheets) sheetsRead_.insert(sheet->relationshipId);
    const pugi::xml_node calcPr = ChildNamed(parts.workbookXml.document_element(), "calcPr");
    parts.workbook->fullCalculationOnLoad = IsTrue(calcPr.attribute("fullCalcOnLoad"));
  }

  void Write(WorkbookParts& parts) override {
    bool formulas = false;
    bool values = false;
    std::set<std::string> present;
    for (const auto& sheet : parts.sheets) {
      present.insert(sheet->relationshipId);
      if (const CellsAspect* cells = FindSheetAspect<CellsAspect>(*sheet)) {
        formulas = formulas || cells->FormulasChanged();
        values = values || cells->ValuesChanged();
      }
    }
    bool sheetRemoved = false;
    for (const std::string& id : sheetsRead_) {
      if (present.count(id) == 0) sheetRemoved = true;
    }
    sheetsRead_ = std::move(present);
    if (formulas || sheetRemoved) RemoveCalculationChain(parts);
    const embedded::model::Workbook& workbook = *parts.workbook;
    if (workbook.formulasCalculated && !workbook.cellsChanged && !sheetRemoved) {
      DropFullCalculation(parts);
    } else if (formulas || values || sheetRemoved) {
      RequestFullCalculation(parts);
    }
  }

 private:
  static void RemoveCalculationChain(WorkbookParts& parts) {
    Relationships& relationships = parts.RelationshipsOf(parts.workbookPart);
    const Relationship* chain = relationships.FindType(kRelCalcChain);
    if (chain == nullptr) return;
    const std::string part = ResolveTarget(parts.workbookPart, chain->target);
    const std::string id = chain->id;
    relationships.Remove(id);
    if (const auto stored = parts.package.Find(part)) {
      parts.package.Remove(*stored);
      parts.contentTypes.RemoveOverride(*stored);
    }
  }

  static void RequestFullCalculation(WorkbookParts& parts) {
    pugi::xml_node calcPr = ObtainCalcPr(parts.workbookXml.document_element());
    pugi::xml_attribute full = calcPr.attribute("fullCalcOnLoad");
    if (IsTrue(full)) return;
    if (!full) full = calcPr.append_attribute("fullCalcOnLoad");
    full.set_value("1");
    parts.workbookXmlChanged = true;
  }

  static void DropFullCalculation(WorkbookParts& parts) {
    pugi::xml_node calcPr = ChildNamed(parts.workbookXml.document_element(), "calcPr");
    if (!IsTrue(calcPr.attribute("fullCalcOnLoad"))) return;
    calcPr.remove_attribute("fullCalcOnLoad");
    parts.workbookXmlChanged = true;
  }

  std::set<std::string> sheetsRead_;
};

}  // namespace

std::unique_ptr<WorkbookAspect> MakeCalculationAspect() { return std::make_unique<CalculationAspect>(); }

}  // namespace tabulara::xlsx
