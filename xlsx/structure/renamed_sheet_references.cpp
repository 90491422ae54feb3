#include "xlsx/structure/renamed_sheet_references.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "xlsx/xml/xml_names.h"
#include "xlsx/xml/xml_part.h"

namespace tabulara::xlsx::structure {
namespace {

constexpr std::array<std::string_view, 2> kChartContentTypes{
    "application/vnd.openxmlformats-officedocument.drawingml.chart+xml",
    "application/vnd.ms-office.chartex+xml",
};

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
    for (auto& [key, formula] : sheet->grid.formulas) formula = RenameSheetReferences(formula, renames);
    for (auto& hyperlink : sheet->hyperlinks) {
      hyperlink.subAddress = RenameSheetReferences(hyperlink.subAddress, renames);
    }
  }
}

void RenameInCharts(WorkbookParts& parts, const SheetRenames& renames) {
  for (const std::string& name : parts.package.PartNames()) {
    const std::string type = parts.contentTypes.Of(name);
    if (std::find(kChartContentTypes.begin(), kChartContentTypes.end(), type) == kChartContentTypes.end()) continue;
    pugi::xml_document chart = ParseXmlPart(parts.package.Read(name), name);
    if (RenameInFormulas(chart, renames, true)) parts.package.Write(name, SerializeXmlPart(chart));
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
  RenameInCharts(parts, renames);
}

}  // namespace tabulara::xlsx::structure
