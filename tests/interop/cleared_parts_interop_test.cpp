#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "cli/support/tabulara_run.h"
#include "xlsx/package/package.h"

namespace tabulara::testing {
namespace {

std::set<std::string> PartNames(const std::filesystem::path& file) {
  const auto names = xlsx::Package::Open(file).PartNames();
  return {names.begin(), names.end()};
}

std::string ContentTypes(const std::filesystem::path& file) {
  return xlsx::Package::Open(file).Read("[Content_Types].xml");
}

// What openpyxl reads of each worksheet's pictures and charts, or nothing
// when openpyxl or Pillow (which it needs for pictures) is missing.
std::optional<std::string> OpenpyxlDrawings(const CliSandbox& sandbox, const std::string& file) {
  if (RunShellCommand("/usr/bin/python3 -c 'import openpyxl, PIL' 2>/dev/null") != 0) return std::nullopt;
  const auto out = sandbox.path() / "openpyxl.out";
  const int status = RunShellCommand(
      "/usr/bin/python3 " + ShellQuoted(TABULARA_SOURCE_DIR "/tests/xlsx/interop/drawing_listing.py") + " " +
      ShellQuoted((sandbox.path() / file).string()) + " >" + ShellQuoted(out.string()) + " 2>/dev/null");
  return status == 0 ? ReadFile(out) : "openpyxl failed: " + std::to_string(status);
}

struct Clearing {
  std::string corpusFile;
  std::string sheet;
  std::string verb;
  std::set<std::string> removed;
  std::string openpyxlAfter;
};

// After Clear Shapes or Clear All, the pictures, charts and drawings that
// nothing shows any more leave the file with their relationships parts and
// content types; a part that another sheet still shows, or that the file
// already left unreferenced, stays.
TEST(ClearedPartsTest, PartsNothingShowsLeaveTheFile) {
  const std::vector<Clearing> cases{
      {"excel_drawing_pictures_shape.xlsx", "Sheet1", "clear-shapes",
       {"xl/drawings/drawing1.xml", "xl/drawings/_rels/drawing1.xml.rels", "xl/media/image1.jpeg",
        "xl/media/image2.emf", "xl/media/image3.png", "xl/media/image4.emf", "xl/media/image5.wmf"},
       "Sheet1|images=0|charts=0\nSheet2|images=0|charts=0\nSheet3|images=0|charts=0\n"},
      {"libreoffice_grouped_images.xlsx", "LMNP_page garde", "clear-all",
       {"xl/drawings/drawing1.xml", "xl/drawings/_rels/drawing1.xml.rels", "xl/media/image1.png",
        "xl/media/image2.bmp", "xl/media/image3.tif", "xl/media/image4.gif", "xl/media/image5.png",
        "xl/media/image6.svg"},
       "LMNP_page garde|images=0|charts=0\n"},
      {"libreoffice_line_chart.xlsx", "Sheet1", "clear-shapes",
       {"xl/drawings/drawing1.xml", "xl/drawings/_rels/drawing1.xml.rels", "xl/charts/chart3.xml"},
       "Sheet1|images=0|charts=0\n"},
      // Sheet2 shows the same pictures through a drawing of its own.
      {"shared pictures", "Sheet1", "clear-shapes",
       {"xl/drawings/drawing1.xml", "xl/drawings/_rels/drawing1.xml.rels"},
       "Sheet1|images=0|charts=0\nSheet2|images=2|charts=0\nSheet3|images=0|charts=0\n"},
  };
  for (const Clearing& c : cases) {
    SCOPED_TRACE(c.corpusFile);
    CliSandbox sandbox;
    const bool shared = c.corpusFile == "shared pictures";
    const auto corpusFile = CorpusFile(shared ? "excel_drawing_pictures_shape.xlsx" : c.corpusFile);
    if (corpusFile.empty()) GTEST_SKIP() << "the corpus is not beside the source tree";
    const auto book = sandbox.path() / "book.xlsx";
    if (shared) {
      ASSERT_EQ(RunShellCommand("/usr/bin/python3 " +
                                ShellQuoted(TABULARA_INTEROP_SCRIPTS "/share_sheet1_pictures.py") + " " +
                                ShellQuoted(corpusFile.string()) + " " + ShellQuoted(book.string())),
                0);
    } else {
      sandbox.Copy(corpusFile, "book.xlsx");
    }

    const ProgramRun run = sandbox.Run({c.verb, "--sheet", c.sheet, "book.xlsx", "-o", "cleared.xlsx"});
    ASSERT_EQ(run.exitStatus, 0) << run.err;
    const auto cleared = sandbox.path() / "cleared.xlsx";
    std::set<std::string> expected = PartNames(book);
    for (const std::string& part : c.removed) ASSERT_EQ(expected.erase(part), 1u) << part;
    EXPECT_EQ(PartNames(cleared), expected);
    const std::string contentTypes = ContentTypes(cleared);
    for (const std::string& part : c.removed) {
      EXPECT_EQ(contentTypes.find("\"/" + part + "\""), std::string::npos) << part;
    }
    if (const auto drawings = OpenpyxlDrawings(sandbox, "cleared.xlsx")) {
      EXPECT_EQ(*drawings, c.openpyxlAfter);
    }
  }
}

}  // namespace
}  // namespace tabulara::testing
