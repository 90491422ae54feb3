#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <string>

#include "embedded/rules/cell_values.h"
#include "embedded/rules/drawing.h"
#include "host/conversion_details.h"
#include "host/conversions.h"
#include "xlsx/cells_files.h"
#include "xlsx/structure_files.h"

namespace tabulara::xlsx {
namespace {

using cells_testing::Address;
using cells_testing::FormatAt;

// The element of a list at `index`, as the file numbers its entries.
pugi::xml_node Entry(const pugi::xml_node& list, unsigned index) {
  for (const pugi::xml_node child : list.children()) {
    if (index-- == 0) return child;
  }
  return {};
}

// The cellXfs entry that cell `reference` of the worksheet part uses.
pugi::xml_node CellXf(const pugi::xml_document& styles, const pugi::xml_document& sheet, const char* reference) {
  const pugi::xml_node cell = sheet.select_node((std::string("//c[@r='") + reference + "']").c_str()).node();
  return Entry(styles.child("styleSheet").child("cellXfs"), cell.attribute("s").as_uint());
}

TEST(StylesOfEntries, TypedTextAndHyperlinksTakeTheHostsFormatsInTheFile) {
  auto workbook = cells_testing::NewWorkbook();
  workbook->name = "Entries.xlsx";
  auto sheet = std::make_shared<embedded::model::Sheet>();
  sheet->name = "Data";
  workbook->sheets.push_back(sheet);
  workbook->activeSheet = sheet;
  for (const auto& [cell, typed] : {std::pair{"A1", "3/4"}, {"A2", "'007"}, {"A3", "Mar-2024"}}) {
    embedded::StoreEntry(*workbook, sheet->grid, Address(cell), embedded::ReadEntry(host::Variant(typed)));
  }
  embedded::AddHyperlink(*workbook, *sheet, embedded::model::CellRect::Of(Address("A4")), "", "Data!A1");

  testing::ScratchFolder folder;
  const auto saved = folder / "entries.xlsx";
  WorkbookFile::Create(workbook)->Save(saved);
  const auto parts = testing::PartsOf(saved);
  pugi::xml_document styles;
  pugi::xml_document data;
  ASSERT_TRUE(styles.load_string(parts.at("xl/styles.xml").c_str()));
  ASSERT_TRUE(data.load_string(parts.at("xl/worksheets/sheet1.xml").c_str()));

  const double fourthOfMarch = host::DateFromCivil(host::detail::CurrentYear(), 3, 4).serial;
  EXPECT_EQ(data.select_node("//c[@r='A1']/v").node().text().as_double(), fourthOfMarch);
  EXPECT_EQ(CellXf(styles, data, "A1").attribute("numFmtId").as_int(), 16) << "d-mmm";
  EXPECT_EQ(CellXf(styles, data, "A3").attribute("numFmtId").as_int(), 17) << "mmm-yy";
  EXPECT_STREQ(data.select_node("//c[@r='A2']").node().attribute("t").value(), "s");
  EXPECT_STREQ(CellXf(styles, data, "A2").attribute("quotePrefix").value(), "1");
  EXPECT_FALSE(CellXf(styles, data, "A1").attribute("quotePrefix"));

  const pugi::xml_node root = styles.child("styleSheet");
  const pugi::xml_node hyperlinkStyle = root.select_node("cellStyles/cellStyle[@name='Hyperlink']").node();
  ASSERT_TRUE(hyperlinkStyle);
  EXPECT_STREQ(hyperlinkStyle.attribute("builtinId").value(), "8");
  const pugi::xml_node linkXf = CellXf(styles, data, "A4");
  EXPECT_EQ(linkXf.attribute("xfId").as_uint(), hyperlinkStyle.attribute("xfId").as_uint());
  const pugi::xml_node styleXf = Entry(root.child("cellStyleXfs"), hyperlinkStyle.attribute("xfId").as_uint());
  for (const pugi::xml_node& xf : {linkXf, styleXf}) {
    const pugi::xml_node font = Entry(root.child("fonts"), xf.attribute("fontId").as_uint());
    EXPECT_TRUE(font.child("u"));
    EXPECT_STREQ(font.child("color").attribute("theme").value(), "10");
  }

  const auto reopened = WorkbookFile::Open(saved);
  const auto& again = *reopened->workbook();
  EXPECT_EQ(FormatAt(again, *again.sheets[0], "A4").style, "Hyperlink");
  EXPECT_TRUE(FormatAt(again, *again.sheets[0], "A2").quotePrefix);
  EXPECT_EQ(FormatAt(again, *again.sheets[0], "A1").numberFormat, "d-mmm");
}

}  // namespace
}  // namespace tabulara::xlsx
