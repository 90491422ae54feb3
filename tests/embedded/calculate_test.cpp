#include <functional>
#include <string>
#include <vector>

#include "workbook_fixture.h"

namespace tabulara::embedded {
namespace {

constexpr long kAutomationError = 440;

// A workbook as read from a file: Sheet1 A1 =1+1 (2), A2 =A1*2 (4), B1 " x ".
struct CalculatedBook {
  CalculatedBook() {
    host.SetFormula(sheet1, "A1", "=1+1", 2.0);
    host.SetFormula(sheet1, "A2", "=A1*2", 4.0);
    host.SetValue(sheet1, "B1", " x ");
  }
  host::Ref<host::Worksheet> Worksheet(const std::string& name) {
    return As<host::Worksheet>((*host.Application()->ActiveWorkbook())->Sheets()->Item(name));
  }
  host::Ref<host::Range> Range(const std::string& sheet, const std::string& reference) {
    return Worksheet(sheet)->Range(reference);
  }

  EmbeddedHost host;
  model::Workbook& book = host.NewWorkbook({"Sheet1", "Sheet2"});
  model::Sheet& sheet1 = host.Sheet("Sheet1");
};

// Without a formula engine, Calculate keeps the values the formulas came
// with, as long as nothing they may depend on has changed since.
TEST(Calculate, OnlyAChangedValueOrAnEnteredFormulaMakesTheValuesDoubtful) {
  struct Edit {
    const char* what;
    std::function<void(CalculatedBook&)> apply;
    bool doubtful;
  };
  const std::vector<Edit> edits{
      {"a formula replaced by its own value", [](CalculatedBook& b) { b.Range("Sheet1", "A1")->Value(2.0); }, false},
      {"a constant written unchanged", [](CalculatedBook& b) { b.Range("Sheet1", "B1")->Value(" x "); }, false},
      {"empty cells cleared", [](CalculatedBook& b) { b.Range("Sheet1", "D1:D9")->Clear(); }, false},
      {"a constant changed", [](CalculatedBook& b) { b.Range("Sheet1", "B1")->Value("x"); }, true},
      {"a constant on another sheet", [](CalculatedBook& b) { b.Range("Sheet2", "C3")->Value(1.0); }, true},
      {"a formula entered", [](CalculatedBook& b) { b.Range("Sheet1", "C1")->Value("=B1"); }, true},
      {"a constant emptied", [](CalculatedBook& b) { b.Range("Sheet1", "B1")->Value(host::Variant()); }, true},
      {"a constant cleared", [](CalculatedBook& b) { b.Range("Sheet1", "B1")->Clear(); }, true},
  };
  for (const Edit& edit : edits) {
    CalculatedBook book;
    edit.apply(book);
    const auto calculate = [&] { book.Worksheet("Sheet1")->Calculate(); };
    if (edit.doubtful) {
      EXPECT_THAT(calculate, RaisesHostError(kAutomationError,
                                             "Calculate method of Worksheet class failed: cells have changed since "
                                             "the file was read, so the value of Sheet1!A1 may be out of date, and "
                                             "formulas cannot be calculated here"))
          << edit.what;
    } else {
      EXPECT_NO_THROW(calculate()) << edit.what;
      EXPECT_EQ(book.host.Value(book.sheet1, "A2"), host::Variant(4.0)) << edit.what;
    }
  }
}

}  // namespace
}  // namespace tabulara::embedded
