#include <span>
#include <string>

#include "xlsx/aspects.h"
#include "xlsx/settings/element_order.h"
#include "xlsx/settings/selection_text.h"
#include "xlsx/structure/xml_names.h"

namespace tabulara::xlsx {
namespace {

using namespace settings;
using namespace structure;

using embedded::model::Selection;
using embedded::model::SheetKind;
using embedded::model::SheetProtection;

bool SameProtection(const SheetProtection& a, const SheetProtection& b) {
  return a.isProtected == b.isProtected && a.contents == b.contents && a.drawingObjects == b.drawingObjects &&
         a.scenarios == b.scenarios;
}

bool SameSelection(const Selection& a, const Selection& b) {
  return a.areas == b.areas && a.activeCell == b.activeCell;
}

constexpr std::string_view kBeforeWorksheetProtection[] = {"sheetPr", "dimension", "sheetViews", "sheetFormatPr",
                                                            "cols",    "sheetData", "sheetCalcPr"};
constexpr std::string_view kBeforeChartProtection[] = {"sheetPr", "sheetViews"};
constexpr std::string_view kBeforeDialogProtection[] = {"sheetPr", "sheetViews", "sheetFormatPr"};
constexpr std::string_view kBeforeSheetViews[] = {"sheetPr", "dimension"};
constexpr std::string_view kBeforeSelection[] = {"pane"};

// The elements in front of sheetProtection, by the kind of sheet.
std::span<const std::string_view> BeforeProtection(SheetKind kind) {
  switch (kind) {
    case SheetKind::Chart:
      return kBeforeChartProtection;
    case SheetKind::DialogSheet:
      return kBeforeDialogProtection;
    case SheetKind::Worksheet:
      break;
  }
  return kBeforeWorksheetProtection;
}

// The attribute of a chart sheet's protection for its contents; a
// worksheet's is "sheet".
const char* ContentsAttribute(SheetKind kind) { return kind == SheetKind::Chart ? "content" : "sheet"; }

pugi::xml_node FirstView(const pugi::xml_node& root) { return ChildNamed(ChildNamed(root, "sheetViews"), "sheetView"); }

// The selection of the view's active pane.
pugi::xml_node ActiveSelection(const pugi::xml_node& view) {
  const pugi::xml_node pane = ChildNamed(view, "pane");
  const std::string_view activePane = pane ? pane.attribute("activePane").as_string("topLeft") : "";
  for (const pugi::xml_node child : view.children()) {
    if (LocalName(child) != "selection") continue;
    if (!pane || child.attribute("pane").as_string("topLeft") == activePane) return child;
  }
  return {};
}

// A sheet's protection flags, its tab selection and, on worksheets and
// dialog sheets, the selection of its first view's active pane.
class SheetSettingsAspect : public SheetAspect {
 public:
  void Read(WorkbookParts& parts, SheetPart& part) override {
    embedded::model::Sheet& sheet = *part.sheet;
    const pugi::xml_node root = part.xml.document_element();
    const pugi::xml_node protection = ChildNamed(root, "sheetProtection");
    if (IsTrue(protection.attribute(ContentsAttribute(sheet.kind))) || IsTrue(protection.attribute("objects"))) {
      sheet.protection().isProtected = true;
      sheet.protection().contents = IsTrue(protection.attribute(ContentsAttribute(sheet.kind)));
      sheet.protection().drawingObjects = IsTrue(protection.attribute("objects"));
      sheet.protection().scenarios = IsTrue(protection.attribute("scenarios"));
    }
    const pugi::xml_node view = FirstView(root);
    if (sheet.kind != SheetKind::Chart) {
      if (auto selection = ReadSelection(ActiveSelection(view))) sheet.selection() = std::move(*selection);
    }
    protection_ = sheet.protection();
    selection_ = sheet.selection();
    tabSelected_ = IsTrue(view.attribute("tabSelected"));
    (void)parts;
  }

  bool Write(WorkbookParts& parts, SheetPart& part) override {
    const embedded::model::Sheet& sheet = *part.sheet;
    pugi::xml_node root = part.xml.document_element();
    bool changed = false;
    if (!SameProtection(sheet.protection(), protection_)) {
      WriteProtection(root, sheet);
      changed = true;
    }
    const bool active = parts.workbook->ActiveSheet() == part.sheet;
    if (active != tabSelected_) {
      changed = SetFlag(ViewOf(root), "tabSelected", active) || changed;
    }
    if (sheet.kind != SheetKind::Chart && !SameSelection(sheet.selection(), selection_)) {
      WriteSelection(ViewOf(root), sheet.selection());
      changed = true;
    }
    protection_ = sheet.protection();
    selection_ = sheet.selection();
    tabSelected_ = active;
    return changed;
  }

 private:
  static pugi::xml_node ViewOf(pugi::xml_node root) {
    pugi::xml_node views = ObtainChild(root, "sheetViews", kBeforeSheetViews);
    pugi::xml_node view = ObtainChild(views, "sheetView", {});
    if (!view.attribute("workbookViewId")) view.append_attribute("workbookViewId") = 0;
    return view;
  }

  static void WriteProtection(pugi::xml_node root, const embedded::model::Sheet& sheet) {
    if (!sheet.protection().isProtected) {
      root.remove_child(ChildNamed(root, "sheetProtection"));
      return;
    }
    pugi::xml_node protection = ObtainChild(root, "sheetProtection", BeforeProtection(sheet.kind));
    SetFlag(protection, ContentsAttribute(sheet.kind), sheet.protection().contents);
    SetFlag(protection, "objects", sheet.protection().drawingObjects);
    if (sheet.kind != SheetKind::Chart) SetFlag(protection, "scenarios", sheet.protection().scenarios);
  }

  static void WriteSelection(pugi::xml_node view, const Selection& selection) {
    pugi::xml_node node = ActiveSelection(view);
    if (!node) {
      node = ObtainChild(view, "selection", kBeforeSelection);
      if (const pugi::xml_node pane = ChildNamed(view, "pane")) {
        node.append_attribute("pane") = pane.attribute("activePane").as_string("topLeft");
      }
    }
    const std::string activeCell = CellText(selection.activeCell);
    const std::string sqref = SqrefText(selection.areas);
    for (const auto& [name, value] : {std::pair{"activeCell", &activeCell}, std::pair{"sqref", &sqref}}) {
      pugi::xml_attribute attribute = node.attribute(name);
      if (!attribute) attribute = node.append_attribute(name);
      attribute.set_value(value->c_str());
    }
  }

  SheetProtection protection_;
  Selection selection_;
  bool tabSelected_ = false;
};

}  // namespace

std::unique_ptr<SheetAspect> MakeSheetSettingsAspect() { return std::make_unique<SheetSettingsAspect>(); }

}  // namespace tabulara::xlsx
