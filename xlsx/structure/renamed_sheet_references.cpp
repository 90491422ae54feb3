#include "xlsx/structure/renamed_sheet_references.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "xlsx/strings/xstring.h"
#include "xlsx/structure/xml_names.h"
#include "xlsx/xml/xml_part.h"

namespace tabulara::xlsx::structure {
namespace {

constexpr std::array<std::string_view, 2> kChartContentTypes{
    "application/vnd.openxmlformats-officedocument.drawingml.chart+xml",
    "application/vnd.ms-office.chartex+xml",
};
constexpr std::string_view kPivotCacheContentType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.pivotCacheDefinition+xml";

// Renames in the text of `node`; whether it changed.
bool RenameIn(pugi::xml_node node, const SheetRenames& renames) {
  const std::string_view text = node.text().get();
  std::string renamed = RenameSheetReferences(text, renames);
  if (renamed == text) return false;
  node.text().set(renamed.c_str());
  return true;
}

// Renames in the formula elements below a node (f, formula, formula1,
// formula2); cell formulas (<c><f>) only when asked, as the model holds
// those of worksheets. Walks without recursion, however deep the part.
class FormulaRenamer : public pugi::xml_tree_walker {
 public:
  FormulaRenamer(const SheetRenames& renames, bool cellFormulas) : renames_(renames), cellFormulas_(cellFormulas) {}

  bool for_each(pugi::xml_node& node) override {
    if (node.type() != pugi::node_element) return true;
    const std::string_view name = LocalName(node);
    if (name != "f" && name != "formula" && name != "formula1" && name != "formula2") return true;
    if (!cellFormulas_ && LocalName(node.parent()) == "c") return true;
    changed_ = RenameIn(node, renames_) || changed_;
    return true;
  }
  bool changed() const { return changed_; }

 private:
  const SheetRenames& renames_;
  bool cellFormulas_;
  bool changed_ = false;
};

bool RenameInFormulas(pugi::xml_node node, const SheetRenames& renames, bool cellFormulas) {
  FormulaRenamer renamer(renames, cellFormulas);
  node.traverse(renamer);
  return renamer.changed();
}

void RenameInModel(embedded::model::Workbook& workbook, const SheetRenames& renames) {
  for (const auto& sheet : workbook.sheets) {
    for (auto& [key, formula] : sheet->grid().formulas) formula = RenameSheetReferences(formula, renames);
    for (auto& hyperlink : sheet->hyperlinks()) {
      hyperlink.subAddress = RenameSheetReferences(hyperlink.subAddress, renames);
    }
  }
}

// A pivot chart names its pivot table "[Book.xlsx]Sheet2!PivotTable2", the
// workbook being the chart's own.
bool RenameInPivotSource(pugi::xml_node chartSpace, const SheetRenames& renames) {
  const pugi::xml_node name = ChildNamed(ChildNamed(chartSpace, "pivotSource"), "name");
  const std::string_view text = name.text().get();
  const auto book = text.starts_with('[') ? text.find(']') : std::string_view::npos;
  if (book == std::string_view::npos) return false;
  const std::string_view place = text.substr(book + 1);
  const std::string renamed = RenameSheetReferences(place, renames);
  if (renamed == place) return false;
  name.text().set((std::string(text.substr(0, book + 1)) + renamed).c_str());
  return true;
}

void RenameInChart(WorkbookParts& parts, const std::string& name, const SheetRenames& renames) {
  pugi::xml_document chart = ParseXmlPart(parts.package.Read(name), name);
  const bool changed = RenameInPivotSource(chart.document_element(), renames);
  if (RenameInFormulas(chart, renames, true) || changed) parts.package.Write(name, SerializeXmlPart(chart));
}

// The source range of a pivot cache: a sheet and range, or a defined name;
// one with a relationship lies in another workbook.
void RenameInPivotCache(WorkbookParts& parts, const std::string& name, const SheetRenames& renames) {
  pugi::xml_document cache = ParseXmlPart(parts.package.Read(name), name);
  const pugi::xml_node source = ChildNamed(ChildNamed(cache.document_element(), "cacheSource"), "worksheetSource");
  if (!source || RelationshipIdAttribute(source)) return;
  bool changed = false;
  if (pugi::xml_attribute sheet = source.attribute("sheet")) {
    if (const std::string* newName = renames.NewNameOf(DecodeXstring(sheet.value()))) {
      sheet.set_value(EncodeXstring(*newName).c_str());
      changed = true;
    }
  }
  if (pugi::xml_attribute definedName = source.attribute("name")) {
    const std::string renamed = RenameSheetReferences(definedName.value(), renames);
    if (renamed != definedName.value()) {
      definedName.set_value(renamed.c_str());
      changed = true;
    }
  }
  if (changed) parts.package.Write(name, SerializeXmlPart(cache));
}

void RenameInChartsAndPivotCaches(WorkbookParts& parts, const SheetRenames& renames) {
  for (const std::string& name : parts.package.PartNames()) {
    const std::string type = parts.contentTypes.Of(name);
    if (type == kPivotCacheContentType) {
      RenameInPivotCache(parts, name, renames);
    } else if (std::find(kChartContentTypes.begin(), kChartContentTypes.end(), type) != kChartContentTypes.end()) {
      RenameInChart(parts, name, renames);
    }
  }
}

}  // namespace

void RenameSheetReferencesEverywhere(WorkbookParts& parts, const SheetRenames& renames) {
  RenameInModel(*parts.workbook, renames);
  const pugi::xml_node definedNames = ChildNamed(parts.workbookXml.document_element(), "definedNames");
  for (pugi::xml_node name : definedNames.children()) {
    if (LocalName(name) == "definedName" && RenameIn(name, renames)) parts.workbookXmlChanged = true;
  }
  for (const auto& sheet : parts.sheets) {
    if (RenameInFormulas(sheet->xml, renames, false)) sheet->xmlChanged = true;
  }
  RenameInChartsAndPivotCaches(parts, renames);
}

}  // namespace tabulara::xlsx::structure
