#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "addin/globals.h"
#include "cli/addin_classes.h"
#include "host/conversions.h"
#include "host/host.h"
#include "settings/formula_addin.h"
#include "support/connected_addin.h"

namespace tabulara::testing {
namespace {

using ::testing::ElementsAreArray;

constexpr host::ErrorValue kValueError{2015};

host::Variant Call(const std::string& method, const std::vector<host::Variant>& arguments) {
  return cli::MakeFormulaServer()->Invoke(method, arguments);
}

// Age as a formula calls it on 1 March 2009: whole years between the two
// years, whatever the month and day.
TEST(WorksheetFunctions, AgeCountsYearBoundariesToToday) {
  AddinHarness addin;
  addin.platform.SetToday(2009, 3, 1);
  auto& sheet = addin.host.Sheet(addin.host.NewWorkbook(), "Sheet1");
  addin.host.TypeEntry(sheet, "A1", "1980-06-15");
  addin.host.SetValue(sheet, "A2", "abc");
  const auto worksheet = std::dynamic_pointer_cast<host::Worksheet>(*addin.host.Application()->ActiveSheet());
  const struct {
    host::Variant birthday;
    host::Variant age;
  } cases[] = {
      {"1980-06-15", 29},
      {host::DateFromCivil(2008, 12, 31), 1},
      {host::DateFromCivil(2009, 12, 31), 0},
      {host::DateFromCivil(2010, 1, 1), -1},
      {host::Variant(worksheet->Range("A1")), 29},
      {host::Variant(worksheet->Range("A2")), kValueError},
      {"abc", kValueError},
      {true, kValueError},
      {29387, kValueError},
      {host::Variant(), kValueError},
  };
  for (const auto& each : cases) {
    SCOPED_TRACE(each.birthday.IsObject() ? "a cell" : host::ToText(each.birthday));
    EXPECT_EQ(Call("Age", {each.birthday}), each.age);
  }
}

TEST(WorksheetFunctions, CallsWithAnotherNumberOfArgumentsOrAnUnknownNameFail) {
  AddinHarness addin;
  const struct {
    std::string method;
    std::size_t arguments;
    long error;
  } cases[] = {{"Age", 0, 450}, {"Age", 2, 450}, {"NonStaticRand", 1, 450}, {"Agee", 1, 438}};
  for (const auto& each : cases) {
    SCOPED_TRACE(each.method);
    try {
      Call(each.method, std::vector<host::Variant>(each.arguments, host::Variant(1)));
      ADD_FAILURE() << "no error";
    } catch (const host::HostError& error) {
      EXPECT_EQ(error.Number(), each.error);
    }
  }
}

TEST(WorksheetFunctions, NonStaticRandMarksTheCellVolatileAndDrawsBelowOne) {
  AddinHarness addin;
  addin.host.NewWorkbook();
  addin.Load();
  EXPECT_THROW(Call("nonstaticrand", {}), host::HostError) << "not connected";
  addin.Start();
  EXPECT_FALSE(addin.host.model().volatileCalculation);
  std::set<double> drawn;
  for (int i = 0; i < 1000; ++i) {
    const host::Variant value = Call("NonStaticRand", {});
    ASSERT_TRUE(value.IsNumber());
    ASSERT_GE(value.AsNumber(), 0.0);
    ASSERT_LT(value.AsNumber(), 1.0);
    drawn.insert(value.AsNumber());
  }
  EXPECT_GT(drawn.size(), 990u);
  EXPECT_TRUE(addin.host.model().volatileCalculation);
}

// The saved state of the dialog's check box, applied in turn; what the
// host's add-ins list then shows.
struct LoadCase {
  const char* name;
  std::vector<bool> loads;
  std::vector<embedded::AddInList::AddInView> listed;
  std::function<void(AddinHarness&)> prepare = nullptr;
};

TEST(WorksheetFunctions, LoadFormulaAddInInstallsOnceAndKeepsTheAddInListed) {
  const embedded::AddInList::AddInView installed{"Quorvel.Formula", true, true};
  const embedded::AddInList::AddInView listed{"Quorvel.Formula", false, true};
  const LoadCase cases[] = {
      {"loaded", {true}, {installed}},
      {"unloaded first", {false}, {listed}},
      {"unloaded later", {true, false}, {listed}},
      // A second load changes nothing: the one refused change is the unload.
      {"loaded twice", {true, true, false}, {installed},
       [](AddinHarness& addin) {
         addin.host.runtime().FailOn("AddIn.Installed.Put", host::HostError(1004, "refused"), 1, 1);
       }},
      {"host refuses", {true}, {},
       [](AddinHarness& addin) { addin.host.runtime().FailOn("AddIns.Add", host::HostError(1004, "refused")); }},
      {"not connected", {true}, {}, [](AddinHarness&) { addin::gExcelEvents.reset(); }},
      {"listed after another", {true}, {{"Old.Thing", false, false}, installed},
       [](AddinHarness& addin) { addin.host.addIns().Restore({{"Old.Thing", false}, {"Quorvel.Formula", false}}); }},
  };
  for (const LoadCase& each : cases) {
    SCOPED_TRACE(each.name);
    AddinHarness addin;
    addin.Start();
    if (each.prepare) each.prepare(addin);
    for (const bool load : each.loads) settings::LoadFormulaAddIn(load);
    EXPECT_THAT(addin.host.addIns().View(), ElementsAreArray(each.listed));
  }
}

}  // namespace
}  // namespace tabulara::testing
