#include "embedded/command_bars/builtin_bars.h"

#include <vector>

namespace tabulara::embedded::command_bars {
namespace {

struct Item {
  int id;
  const char* caption;
  bool beginGroup = false;
  bool visible = true;
};

struct Menu {
  int id;
  const char* caption;
  const char* barName;
  std::vector<Item> items;
};

// Excel 2003's menus with a selection of their items.
const std::vector<Menu>& WorksheetMenus() {
  static const std::vector<Menu> menus = {
      {30002,
       "&File",
       "File",
       {{18, "&New..."},
        {23, "&Open..."},
        {106, "&Close"},
        {3, "&Save", true},
        {748, "Save &As..."},
        {247, "Page Set&up...", true},
        {109, "Print Pre&view"},
        {4, "&Print..."},
        {752, "E&xit", true}}},
      {30003,
       "&Edit",
       "Edit",
       {{128, "&Undo"},
        {21, "Cu&t", true},
        {19, "&Copy"},
        {22, "&Paste"},
        {755, "Paste &Special..."},
        {478, "&Delete...", true},
        {847, "De&lete Sheet"},
        {848, "&Move or Copy Sheet..."},
        {1849, "&Find...", true},
        {313, "R&eplace..."},
        {757, "&Go To..."}}},
      {30004,
       "&View",
       "View",
       {{723, "&Normal"}, {724, "&Page Break Preview"}, {178, "F&ull Screen", true}, {925, "&Zoom..."}}},
      {30005,
       "&Insert",
       "Insert",
       {{295, "C&ells..."},
        {296, "&Rows"},
        {297, "&Columns"},
        {852, "&Worksheet"},
        {385, "&Function...", true},
        {2031, "Co&mment", true},
        {1576, "Hyperl&ink...", true}}},
      {30006, "F&ormat", "Format", {{855, "C&ells..."}, {254, "&Style...", true}}},
      {30007, "&Tools", "Tools", {{2, "&Spelling..."}, {522, "&Options...", true}}},
      {30011, "&Data", "Data", {{928, "&Sort..."}, {860, "F&orm..."}, {929, "Su&btotals..."}}},
      {30009, "&Window", "Window", {{303, "&New Window"}, {298, "&Arrange..."}, {443, "&Freeze Panes", true}}},
      {30010, "&Help", "Help", {{984, "Microsoft Office Excel &Help"}, {927, "&About Microsoft Office Excel", true}}},
  };
  return menus;
}

// The items the cell context menu offers; the comment items other than
// "Insert Comment" show only on a cell with a comment.
const std::vector<Item>& CellItems() {
  static const std::vector<Item> items = {
      {21, "Cu&t"},
      {19, "&Copy"},
      {22, "&Paste"},
      {755, "Paste &Special..."},
      {3181, "&Insert...", true},
      {292, "&Delete..."},
      {3125, "Clear Co&ntents"},
      {2031, "Insert Co&mment", true},
      {1589, "&Edit Comment", false, false},
      {1592, "Delete Co&mment", false, false},
      {1593, "Sh&ow/Hide Comments", false, false},
      {855, "&Format Cells...", true},
      {1966, "Pic&k From Drop-down List..."},
      {7193, "&Create List...", true},
      {1576, "&Hyperlink...", true},
      {7343, "&Look Up...", true},
  };
  return items;
}

void AddItems(const std::shared_ptr<Bar>& bar, const std::vector<Item>& items) {
  for (const Item& item : items) {
    auto control = std::make_shared<Control>();
    control->id = item.id;
    control->caption = item.caption;
    control->beginGroup = item.beginGroup;
    control->visible = item.visible;
    control->parent = bar;
    bar->controls.push_back(std::move(control));
  }
}

std::shared_ptr<Bar> WorksheetMenuBar() {
  auto bar = std::make_shared<Bar>();
  bar->name = "Worksheet Menu Bar";
  for (const Menu& menu : WorksheetMenus()) {
    auto popup = std::make_shared<Control>();
    popup->type = host::msoControlPopup;
    popup->id = menu.id;
    popup->caption = menu.caption;
    popup->bar = std::make_shared<Bar>();
    popup->bar->name = menu.barName;
    popup->parent = bar;
    AddItems(popup->bar, menu.items);
    bar->controls.push_back(std::move(popup));
  }
  return bar;
}

std::shared_ptr<Bar> CellMenu() {
  auto bar = std::make_shared<Bar>();
  bar->name = "Cell";
  AddItems(bar, CellItems());
  return bar;
}

}  // namespace

std::vector<std::shared_ptr<Bar>> BuiltInBars() { return {WorksheetMenuBar(), CellMenu()}; }

}  // namespace tabulara::embedded::command_bars
