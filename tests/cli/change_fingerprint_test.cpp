#include <gtest/gtest.h>

#include <functional>

#include "cli/change_fingerprint.h"
#include "embedded/embedded_host.h"

namespace tabulara::cli {
namespace {

namespace model = embedded::model;

class ChangeFingerprintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.SetValue(data(), "A1", 1);
    host.SetValue(data(), "A2", "text");
    host.SetFormula(data(), "A3", "=A1*2", 2);
  }
  model::Workbook& workbook() { return host.ActiveWorkbook(); }
  model::Sheet& data() { return host.Sheet(workbook(), "Data"); }
  std::uint64_t Fingerprint() { return ChangeFingerprint(workbook()); }

  embedded::EmbeddedHost host;
  model::Workbook& book = host.NewWorkbook({"Data", "Other"});
};

TEST_F(ChangeFingerprintTest, EveryKindOfChangeIsNoticed) {
  model::Sheet& sheet = data();
  const std::vector<std::pair<const char*, std::function<void()>>> changes = {
      {"number", [&] { host.SetValue(sheet, "A1", 2); }},
      {"text", [&] { host.SetValue(sheet, "A2", "other"); }},
      {"formula", [&] { host.SetFormula(sheet, "A3", "=A1*3", 2); }},
      {"formula to value", [&] { host.SetValue(sheet, "A3", 2); }},
      {"new cell", [&] { host.SetValue(sheet, "Z99", "x"); }},
      {"number format", [&] { host.SetNumberFormat(sheet, "A1", "0.00"); }},
      {"font", [&] { host.SetFont(sheet, "A1", model::Font{"Arial", 10, true, false}); }},
      {"column width", [&] { host.SetColumnWidth(sheet, 2, 20); }},
      {"hidden row", [&] { host.HideRow(sheet, 4); }},
      {"sheet name", [&] { sheet.name = "Renamed"; }},
      {"visibility", [&] { host.Sheet(workbook(), "Other").visibility = host::xlSheetHidden; }},
      {"tab order", [&] { std::swap(workbook().sheets[0], workbook().sheets[1]); }},
      {"new sheet", [&] { host.AddSheet(workbook(), "Third"); }},
      {"sheet protection", [&] { host.ProtectSheet(sheet); }},
      {"structure protection", [&] { host.ProtectStructure(workbook()); }},
      {"shape", [&] { host.AddShape(sheet, model::ShapeKind::Line); }},
      {"comment", [&] { host.AddComment(sheet, "B2", "note"); }},
      {"hyperlink", [&] { host.AddHyperlink(sheet, "B3", "", "Other!A1"); }},
  };
  for (const auto& [name, change] : changes) {
    SCOPED_TRACE(name);
    const std::uint64_t before = Fingerprint();
    change();
    EXPECT_NE(Fingerprint(), before);
  }
}

TEST_F(ChangeFingerprintTest, ActiveSheetAndSelectionAreNoChange) {
  const std::uint64_t before = Fingerprint();
  host.Activate(host.Sheet(workbook(), "Other"));
  host.Select(data(), "B2:C4", "C3");
  EXPECT_EQ(Fingerprint(), before);
}

TEST_F(ChangeFingerprintTest, PuttingBackWhatWasThereIsNoChange) {
  const std::uint64_t before = Fingerprint();
  host.SetValue(data(), "A2", "other");
  host.SetValue(data(), "A2", "text");
  EXPECT_EQ(Fingerprint(), before);
}

}  // namespace
}  // namespace tabulara::cli
