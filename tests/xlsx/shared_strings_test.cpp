#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "embedded/rules/cell_values.h"
#include "xlsx/strings/plain_strings.h"
#include "xlsx/strings/xstring.h"
#include "xlsx/workbook_files.h"
#include "xlsx/xml/xml_names.h"
#include "xlsx/xml/xml_part.h"

namespace tabulara::xlsx::testing {
namespace {

// The texts of the items of a shared-strings part, as the document tree reads them.
std::vector<std::string> TreeTexts(const std::string& part) {
  const pugi::xml_document document = ParseXmlPart(part, "xl/sharedStrings.xml");
  std::vector<std::string> texts;
  for (const pugi::xml_node item : document.document_element().children()) {
    if (IsNamed(item, "si")) texts.push_back(PlainTextOf(item));
  }
  return texts;
}

std::vector<std::string> ScannedTexts(const PlainStrings& plain) {
  std::vector<std::string> texts;
  for (const PlainStrings::Text& text : plain.texts) {
    texts.push_back(DecodeXstring(text.escaped ? UnescapeText(text.raw) : std::string(text.raw)));
  }
  return texts;
}

TEST(ScanPlainStrings, ReadsWhatTheDocumentTreeReads) {
  const std::string declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
  std::vector<std::string> parts = {
      "<sst xmlns=\"m\" count=\"2\" uniqueCount=\"2\"><si><t>a</t></si>"
      "<si><t xml:space=\"preserve\"> b &amp; c </t></si></sst>",
      declaration + "<sst count='1'><si><t></t></si></sst>\r\n",
      "<?xml version='1.0' encoding='utf-8'?><sst><si><t> </t></si><si><t>x_x000D_y &lt;&gt;&quot;&apos; "
      "></t></si></sst>",
      "<sst\tuniqueCount=\"0\"></sst>",
  };
  const std::size_t crafted = parts.size();
  for (const std::filesystem::path& workbook : CorpusWorkbooks()) {
    const Parts corpus = PartsOf(workbook);
    if (const auto strings = corpus.find("xl/sharedStrings.xml"); strings != corpus.end())
      parts.push_back(strings->second);
  }
  std::size_t scanned = 0;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    SCOPED_TRACE(parts[i].substr(0, 200));
    const std::optional<PlainStrings> plain = ScanPlainStrings(parts[i]);
    if (i < crafted) {
      ASSERT_TRUE(plain.has_value());
    }
    if (!plain) continue;
    ++scanned;
    EXPECT_EQ(ScannedTexts(*plain), TreeTexts(parts[i]));
    EXPECT_EQ(parts[i].compare(plain->itemsEnd, 6, "</sst>"), 0);
    EXPECT_EQ(parts[i][plain->rootTagEnd], '>');
  }
  if (parts.size() > crafted) {
    EXPECT_GT(scanned, crafted + 10) << "most parts spreadsheet programs write are plain";
  }
}

TEST(ScanPlainStrings, LeavesEveryOtherPartToTheDocumentTree) {
  for (const char* part : {
           "<sst><si><r><t>rich</t></r></si></sst>",
           "<sst><si><t>a</t><rPh sb=\"0\" eb=\"1\"><t>A</t></rPh></si></sst>",
           "<sst>\n<si><t>a</t></si></sst>",
           "<sst><!-- c --><si><t>a</t></si></sst>",
           "<sst><si><t><![CDATA[a]]></t></si></sst>",
           "<sst><si><t>&#65;</t></si></sst>",
           "<sst><si><t>a&nbsp;</t></si></sst>",
           "<sst><si><t>a\r\nb</t></si></sst>",
           "<x:sst xmlns:x=\"m\"><x:si><x:t>a</x:t></x:si></x:sst>",
           "<sst xmlns=\"m\"/>",
           "<?xml version=\"1.0\" encoding=\"UTF-16\"?><sst></sst>",
           "\xEF\xBB\xBF<sst></sst>",
           "<sst></sst><extra/>",
           "<sstx></sstx>",
           "<sst count = \"1\"></sst>",
           "<sst count=\"1&amp;\"></sst>",
           "<sst><si><t>a</t></sst>",
           "<sst><si><t xml:space=\"default\">a</t></si></sst>",
           "<sst><si><t>a</t></si>",
       }) {
    EXPECT_FALSE(ScanPlainStrings(part).has_value()) << part;
  }
}

using SharedStringsWrite = FileTest;

// A part of plain items keeps its bytes: its counts change in place, or are
// added last to its root, and new items go before its end, save after save,
// also when a count gets shorter.
TEST_F(SharedStringsWrite, APlainPartKeepsItsBytesWithNewCountsAndItems) {
  const std::string declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
  Parts parts = MinimalWorkbookParts("<sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row></sheetData>");
  parts = WithWorkbookPart(std::move(parts), "sharedStrings", "rId99",
                           declaration + "<sst xmlns=\"" + kMainNamespace +
                               "\" count='10'><si><t xml:space=\"preserve\">old </t></si></sst>\r\n");
  auto& book = OpenParts(parts);
  auto& sheet = *book.sheets.front();
  const std::string root = declaration + "<sst xmlns=\"" + kMainNamespace + "\" ";
  const std::string old = "<si><t xml:space=\"preserve\">old </t></si>";
  const std::string second = "<si><t>new &amp; &lt;b&gt;</t></si>";
  const std::string third = "<si><t xml:space=\"preserve\"> third</t></si>";

  Store(book, sheet, "B1", std::string("new & <b>"));
  Save();
  EXPECT_EQ(after.at("xl/sharedStrings.xml"), root + "count='11' uniqueCount=\"2\">" + old + second + "</sst>\r\n");
  EXPECT_EQ(ValueAt(*reopened->workbook(), *reopened->workbook()->sheets.front(), "B1"),
            host::Variant(std::string("new & <b>")));

  Store(book, sheet, "C1", std::string(" third"));
  Store(book, sheet, "A1", std::string("new & <b>"));
  Save("second.xlsx");
  EXPECT_EQ(after.at("xl/sharedStrings.xml"),
            root + "count='12' uniqueCount=\"3\">" + old + second + third + "</sst>\r\n");
  const auto& again = *reopened->workbook();
  EXPECT_EQ(ValueAt(again, *again.sheets.front(), "A1"), host::Variant(std::string("new & <b>")));
  EXPECT_EQ(ValueAt(again, *again.sheets.front(), "C1"), host::Variant(std::string(" third")));

  for (const char* cell : {"A1", "B1", "C1"}) Store(book, sheet, cell, 1.0);
  Save("third.xlsx");
  EXPECT_EQ(after.at("xl/sharedStrings.xml"), root + "count='9' uniqueCount=\"3\">" + old + second + third +
                                                   "</sst>\r\n");
  Store(book, sheet, "D1", std::string("fourth"));
  Store(book, sheet, "A1", std::string("fifth"));
  Save("fourth.xlsx");
  EXPECT_EQ(after.at("xl/sharedStrings.xml"), root + "count='11' uniqueCount=\"5\">" + old + second + third +
                                                   "<si><t>fifth</t></si><si><t>fourth</t></si></sst>\r\n");
  const auto& fourth = *reopened->workbook();
  EXPECT_EQ(ValueAt(fourth, *fourth.sheets.front(), "D1"), host::Variant(std::string("fourth")));
}

}  // namespace
}  // namespace tabulara::xlsx::testing
