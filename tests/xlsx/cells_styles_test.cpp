#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <string>

#include "xlsx/styles/builtin_number_formats.h"
#include "xlsx/styles/font_element.h"

namespace tabulara::xlsx {
namespace {

std::string Raw(const pugi::xml_node& node) {
  struct Writer : pugi::xml_writer {
    std::string text;
    void write(const void* data, size_t size) override { text.append(static_cast<const char*>(data), size); }
  } writer;
  node.print(writer, "", pugi::format_raw);
  return writer.text;
}

class CellsFontElement : public ::testing::Test {
 protected:
  void SetUp() override {
    document_.load_string(
        "<font><sz val=\"11\"/><color theme=\"1\"/><name val=\"Calibri\"/><family val=\"2\"/>"
        "<charset val=\"204\"/><scheme val=\"minor\"/></font>");
  }
  pugi::xml_node Font() { return document_.child("font"); }
  pugi::xml_document document_;
};

TEST_F(CellsFontElement, ReadsTheModelsPartsOfAFont) {
  const embedded::model::Font font = ReadFont(Font(), {});
  EXPECT_EQ(font.name, "Calibri");
  EXPECT_EQ(font.size, 11);
  EXPECT_FALSE(font.bold);
  document_.load_string("<font><b val=\"0\"/><i/></font>");
  const embedded::model::Font flags = ReadFont(Font(), {"Arial", 10, true, false});
  EXPECT_FALSE(flags.bold);
  EXPECT_TRUE(flags.italic);
  EXPECT_EQ(flags.name, "Arial") << "taken from the defaults";
}

TEST_F(CellsFontElement, ANewSizeOrStyleKeepsColourFamilyCharsetAndScheme) {
  const embedded::model::Font original = ReadFont(Font(), {});
  embedded::model::Font wanted = original;
  wanted.size = 12.5;
  wanted.bold = true;
  ApplyFont(Font(), wanted, original);
  EXPECT_EQ(Raw(Font()),
            "<font><b/><sz val=\"12.5\"/><color theme=\"1\"/><name val=\"Calibri\"/><family val=\"2\"/>"
            "<charset val=\"204\"/><scheme val=\"minor\"/></font>");
}

TEST_F(CellsFontElement, ANewNameDropsTheThemeScheme) {
  const embedded::model::Font original = ReadFont(Font(), {});
  embedded::model::Font wanted = original;
  wanted.name = "Arial";
  wanted.italic = true;
  ApplyFont(Font(), wanted, original);
  EXPECT_EQ(Raw(Font()),
            "<font><i/><sz val=\"11\"/><color theme=\"1\"/><name val=\"Arial\"/><family val=\"2\"/>"
            "<charset val=\"204\"/></font>");
}

TEST(CellsNumberFormats, BuiltinIdsReadAsTheHostShowsThem) {
  EXPECT_EQ(BuiltinNumberFormat(0), "General");
  EXPECT_EQ(BuiltinNumberFormat(14), "m/d/yyyy");
  EXPECT_EQ(BuiltinNumberFormat(49), "@");
  EXPECT_TRUE(BuiltinNumberFormat(57)) << "an East Asian date";
  EXPECT_FALSE(BuiltinNumberFormat(164));
  EXPECT_EQ(BuiltinNumberFormatId("m/d/yyyy"), 14) << "the format of an entered date";
  EXPECT_FALSE(BuiltinNumberFormatId("yyyy-mm-dd"));
}

}  // namespace
}  // namespace tabulara::xlsx
