#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "embedded/automation_server.h"
#include "embedded/calculation/current_values.h"
#include "host/addins.h"
#include "host/constants.h"
#include "host/host_error.h"
#include "workbook_fixture.h"

namespace tabulara::host {

void PrintTo(const Variant& value, std::ostream* out) {
  if (value.IsNumber()) *out << value.AsNumber();
  if (value.IsText()) *out << '"' << value.AsText() << '"';
  if (value.IsLogical()) *out << (value.AsLogical() ? "TRUE" : "FALSE");
  if (value.IsError()) *out << "error " << value.AsError().code;
  if (value.IsEmpty()) *out << "empty";
}

}  // namespace tabulara::host

namespace tabulara::embedded {
namespace {

// An add-in with Twice(x) (a failure for a text, "date" for a date) and Ticks(), which marks
// itself volatile and counts its calls across objects; under other names.
class TestFunctions final : public AutomationServer {
 public:
  TestFunctions(host::Ref<host::Application> application, int& ticks,
                std::vector<std::string> methods = {"Twice", "Ticks"})
      : application_(std::move(application)), ticks_(ticks), methods_(std::move(methods)) {}

  std::vector<std::string> Methods() const override { return methods_; }

  host::Variant Invoke(const std::string& method, const std::vector<host::Variant>& arguments) override {
    if (method == "Ticks") {
      application_->Volatile(true);
      return ++ticks_;
    }
    if (arguments.size() != 1 || arguments[0].IsText()) throw host::HostError(13, "Type mismatch");
    if (arguments[0].IsEmpty()) return "empty";
    if (arguments[0].IsDate()) return "date";
    return arguments[0].AsNumber() * 2;
  }

 private:
  host::Ref<host::Application> application_;
  int& ticks_;
  std::vector<std::string> methods_;
};

class Calculation : public WorkbookTest {
 protected:
  Calculation() {
    host.addIns().Register("Test.Functions", [this] { return std::make_unique<TestFunctions>(App(), ticks); });
    host.addIns().Register("Idle.Functions", [this] {
      return std::make_unique<TestFunctions>(App(), ticks, std::vector<std::string>{"Idle"});
    });
    App()->AddIns()->Add("Test.Functions", false)->Installed(true);
    App()->AddIns()->Add("Idle.Functions", false);
    model::Sheet& sheet2 = host.Sheet("Sheet2");
    host.SetValue(sheet1, "A1", 1.0);
    host.SetValue(sheet1, "A2", 2.0);
    host.SetValue(sheet1, "A3", "t");
    host.SetValue(sheet1, "A4", 29387.0);
    host.SetNumberFormat(sheet1, "A4", "m/d/yyyy");
    host.SetValue(sheet2, "B1", 10.0);
    host.SetFormula(sheet2, "C5", "=ROMAN(B1)");
    // The engine fails on MAX of a range.
    host.SetFormula(sheet2, "C6", "=MAX(B1:B1)", 4.0);
    book.cellsChanged = false;
  }

  int ticks = 0;
};

std::string Refused(const std::string& why) {
  return "Calculate method of Worksheet class failed: " + why + ", and formulas cannot be calculated here";
}

TEST_F(Calculation, FormulasTakeTheValuesTheHostGivesThemOrKeepTheValuesTheFileVouchesFor) {
  struct Case {
    std::string what;
    std::string formula;
    host::Variant cached;
    // The value after Calculate; none when Calculate is refused with `refusal`.
    std::optional<host::Variant> value;
    std::string refusal;
  };
  for (const Case& each : std::vector<Case>{
           {"operators", "=(A1+A2)*3-A2^2/4", {}, 8.0, ""},
           {"a reference to another sheet", "=Sheet2!B1+A1", {}, 11.0, ""},
           {"text joined", "=\"t\"&\"x\"&A3", {}, "txt", ""},
           {"a comparison is a logical value", "=A2>A1", {}, true, ""},
           {"a number made text as the engine would not write it", "=\"x\"&A1/3", "x0.333333333333333",
            "x0.333333333333333", ""},
           {"a division by zero", "=1/0", {}, host::ErrorValue{host::xlErrDiv0}, ""},
           {"a function no one has", "=Nowhere(A1)+1", 5.0, host::ErrorValue{host::xlErrName}, ""},
           {"a known function the engine lacks keeps its value", "=ROMAN(A1)", "I", "I", ""},
           {"the same without a value",
            "=ROMAN(A1)",
            {},
            std::nullopt,
            Refused("Sheet1!C1 has no calculated value in the file")},
           {"a formula on what the engine fails at", "=Sheet2!C6+1", {}, 5.0, ""},
           {"a formula on what another sheet lacks", "=Sheet2!C5&A3", "Xt", "Xt", ""},
           {"the same without a value",
            "=Sheet2!C5&A3",
            {},
            std::nullopt,
            Refused("Sheet1!C1 has no calculated value in the file")},
           {"rounding what the host shows", "=ROUND(2.675,2)+ROUNDUP(-1.21,1)+ROUNDDOWN(\"9.99\",1)+ABS(-10)", {},
            2.68 + -1.3 + 9.9 + 10, ""},
           {"a remainder takes the divisor's sign", "=MOD(-7,3)*10+TRUNC(-2.5)+POWER(2,3)+POWER(0,5)", {}, 26.0, ""},
           {"no characters", "=RIGHT(\"abc\",0)", {}, "", ""},
           {"too many arguments", "=ROUND(1.5,0,1)", {}, host::ErrorValue{host::xlErrValue}, ""},
           {"an argument's error comes first", "=MOD(1/0,0)", {}, host::ErrorValue{host::xlErrDiv0}, ""},
           {"a root of a negative number", "=SQRT(-A1)", {}, host::ErrorValue{host::xlErrNum}, ""},
           {"a text that is no number", "=ABS(A3)", {}, host::ErrorValue{host::xlErrValue}, ""},
           {"characters of a number made text", "=MID(RIGHT(A1/4,3),2,9)", {}, "25", ""},
           {"blanks trimmed", "=TRIM(\"  a  b \")", {}, "a b", ""},
           {"an add-in method with a cell's value", "=twice(A2)+1", {}, 5.0, ""},
           {"an add-in method with a date cell", "=Twice(A4)", {}, "date", ""},
           {"an add-in method with an empty cell", "=Twice(Z9)", {}, "empty", ""},
           {"an add-in method failing", "=Twice(A3)", {}, host::ErrorValue{host::xlErrValue}, ""},
           {"nested add-in calls", "=Twice(Twice(A1)+A2)", {}, 8.0, ""},
           {"an add-in listed but not installed", "=Idle(A1)", {}, host::ErrorValue{host::xlErrName}, ""},
       }) {
    SCOPED_TRACE(each.what);
    host.SetFormula(sheet1, "C1", each.formula, each.cached);
    book.cellsChanged = false;
    const auto calculate = [&] { WorksheetRef("Sheet1")->Calculate(); };
    if (each.value) {
      EXPECT_NO_THROW(calculate());
      EXPECT_EQ(host.Value(sheet1, "C1"), *each.value);
    } else {
      EXPECT_THAT(calculate, RaisesHostError(440, each.refusal));
    }
  }
}

TEST_F(Calculation, AVolatileMethodChangesAtEveryCalculationOfTheApplication) {
  host.SetFormula(sheet1, "C1", "=Ticks()");
  host.SetFormula(sheet1, "C2", "=C1*10");
  host.SetCachedValue(host.Sheet("Sheet2"), "C5", 10.0);
  book.cellsChanged = false;
  App()->Calculate();
  EXPECT_EQ(host.Value(sheet1, "C2"), host::Variant(10.0));
  App()->Calculate();
  EXPECT_EQ(host.Value(sheet1, "C1"), host::Variant(2.0));
  EXPECT_EQ(host.Value(sheet1, "C2"), host::Variant(20.0));
  EXPECT_FALSE(book.cellsChanged);
}

TEST(CurrentValues, OnlyTheHostsSteadyFunctionsLeaveAFormulasValueAsItIs) {
  const std::pair<const char*, bool> cases[] = {
      {"=A1*2+Sheet2!B1", true},
      {"=SUM(A1:A3)+log10(A1)+_xlfn.CONCAT(\"a\",B1)", true},
      {"=\"RAND()\"&'NOW(1'!A1&\"a\"\"TODAY()\"", true},
      {"=RAND()", false},
      {"=1+now()", false},
      {"=IF(A1,SUM(OFFSET(A1,1,1)),0)", false},
      {"=_xlfn.RANDARRAY(2)", false},
      {"=_xlfn.XLOOKUP(A1,B1:B3,C1:C3)", true},
      {"=Twice(A1)", false},
      {"=Nowhere(A1)", false},
      {"=\"open", false},
  };
  for (const auto& [formula, steady] : cases) EXPECT_EQ(calculation::CallsOnlySteadyBuiltins(formula), steady) << formula;
}

// Whether a sheet's formulas all hold values and call only steady functions,
// also in grids where a formula stands apart from its cell's flag.
TEST(CurrentValues, EveryFormulaOfTheSheetHasAValueAndIsSteady) {
  using Change = std::function<void(EmbeddedHost&, model::Sheet&)>;
  const auto formulaAt = [](model::Sheet& sheet, std::int32_t row, std::int32_t column, std::string formula) {
    sheet.grid().formulas[model::Grid::FormulaKey({row, column})] = std::move(formula);
  };
  const std::vector<std::tuple<std::string, Change, bool>> cases = {
      {"values of steady formulas", [](EmbeddedHost&, model::Sheet&) {}, true},
      {"a volatile formula",
       [](EmbeddedHost& host, model::Sheet& sheet) { host.SetFormula(sheet, "C2", "=NOW()", 1.0); }, false},
      {"a volatile function in lower case, or prefixed",
       [](EmbeddedHost& host, model::Sheet& sheet) {
         host.SetFormula(sheet, "C2", "=A1+rand()", 1.0);
         host.SetFormula(sheet, "D2", "=_xlfn.RANDARRAY(2)", 1.0);
       },
       false},
      {"a function the host does not have",
       [](EmbeddedHost& host, model::Sheet& sheet) { host.SetFormula(sheet, "C2", "=A1+NOW2(1)", 1.0); }, false},
      {"volatile names in texts, quoted sheet names and other names",
       [](EmbeddedHost& host, model::Sheet& sheet) {
         host.SetFormula(sheet, "C2", "=\"NOW()\"&'RAND() x'!A1&A1RAND&LEN(\"TODAY()\")", 1.0);
       },
       true},
      {"a formula without a value",
       [](EmbeddedHost&, model::Sheet& sheet) { sheet.grid().Find({2, 1})->SetEmpty(); }, false},
      {"a formula without a cell", [&](EmbeddedHost&, model::Sheet& sheet) { formulaAt(sheet, 9, 4, "=1"); }, false},
      {"a formula in a cell that says it has none",
       [&](EmbeddedHost& host, model::Sheet& sheet) {
         host.SetValue(sheet, "D1", 4.0);
         formulaAt(sheet, 1, 4, "=2*2");
       },
       true},
      {"a column twice, its second cell empty, and a formula in a cell that says it has none",
       [&](EmbeddedHost& host, model::Sheet& sheet) {
         std::vector<model::Cell>& cells = sheet.grid().rows[2].cells;
         cells.insert(cells.begin() + 1, cells.front());
         cells[1].SetEmpty();
         host.SetValue(sheet, "D1", 4.0);
         formulaAt(sheet, 1, 4, "=2*2");
       },
       true},
  };
  for (const auto& [name, change, current] : cases) {
    SCOPED_TRACE(name);
    EmbeddedHost host;
    model::Workbook& workbook = host.NewWorkbook({"Data"});
    model::Sheet& sheet = host.Sheet(workbook, "Data");
    host.SetValue(sheet, "A1", 1.0);
    host.SetFormula(sheet, "B1", "=A1*2", 2.0);
    host.SetFormula(sheet, "A2", "=SUM(A1:B1)", 3.0);
    host.SetFormula(sheet, "C3", "=A2", 3.0);
    change(host, sheet);
    workbook.cellsChanged = false;
    EXPECT_EQ(calculation::FormulaValuesAreCurrent(workbook, sheet), current);
  }
}

TEST_F(Calculation, NothingIsCalculatedWhileTheFilesValuesHoldAndNoFormulaIsVolatile) {
  model::Workbook& read = host.NewWorkbook({"Data", "Other"});
  model::Sheet& data = host.Sheet(read, "Data");
  host.SetValue(data, "A1", 1.0);
  host.SetFormula(data, "B1", "=A1*2", 5.0);
  // A sheet is calculated alone: what another sheet holds does not count.
  host.SetFormula(host.Sheet(read, "Other"), "A1", "=RAND()");
  read.cellsChanged = false;
  WorksheetRef("Data")->Calculate();
  EXPECT_EQ(host.Value(data, "B1"), host::Variant(5.0));
  RangeRef("Data", "A1")->Value(3.0);
  WorksheetRef("Data")->Calculate();
  EXPECT_EQ(host.Value(data, "B1"), host::Variant(6.0));
}

// A formula the engine cannot compute keeps the value it came with, as long
// as nothing it may depend on has changed since.
TEST_F(Calculation, CalculateDoubtsTheValuesOnlyAfterAChangedValueOrAnEnteredFormula) {
  // What is done, where, the value written or cleared, and whether the values are doubtful after it.
  using Edit = std::tuple<std::string, std::string, std::string, host::Variant, bool, bool>;
  for (const auto& [what, sheet, cells, value, clear, doubtful] : std::vector<Edit>{
           {"a formula replaced by its own value", "Sheet1", "A1", 2.0, false, false},
           {"a constant written unchanged", "Sheet1", "B1", " x ", false, false},
           {"empty cells cleared", "Sheet1", "D1:D9", {}, true, false},
           {"a constant changed", "Sheet1", "B1", "x", false, true},
           {"a constant on another sheet", "Sheet2", "C3", 1.0, false, true},
           {"a formula entered", "Sheet1", "C1", "=B1", false, true},
           {"a constant emptied", "Sheet1", "B1", {}, false, true},
           {"a constant cleared", "Sheet1", "B1", {}, true, true},
       }) {
    SCOPED_TRACE(what);
    // A workbook as read from a file: Sheet1 A1 =FACT(2) (2), A2 =A1*2 (4), B1 " x ".
    model::Sheet& first = host.Sheet(host.NewWorkbook({"Sheet1", "Sheet2"}), "Sheet1");
    host.SetFormula(first, "A1", "=FACT(2)", 2.0);
    host.SetFormula(first, "A2", "=A1*2", 4.0);
    host.SetValue(first, "B1", " x ");
    host::Ref<host::Range> range = RangeRef(sheet, cells);
    if (clear) {
      range->Clear();
    } else {
      range->Value(value);
    }
    const auto calculate = [&] { WorksheetRef("Sheet1")->Calculate(); };
    if (doubtful) {
      EXPECT_THAT(calculate, RaisesHostError(440,
                                             "Calculate method of Worksheet class failed: cells have changed since "
                                             "the file was read, so the value of Sheet1!A1 may be out of date, and "
                                             "formulas cannot be calculated here"));
    } else {
      EXPECT_NO_THROW(calculate());
      EXPECT_EQ(host.Value(first, "A2"), host::Variant(4.0));
    }
  }
}

}  // namespace
}  // namespace tabulara::embedded
