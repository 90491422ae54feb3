#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "embedded/workbook_fixture.h"

namespace tabulara::embedded {
namespace {

class CalculationWithoutEngine : public WorkbookTest {};

TEST_F(CalculationWithoutEngine, EitherCalculateRaises1004AndTheFormulasKeepTheirValues) {
  host.SetFormula(sheet1, "A1", "=FACT(3)", 2.0);
  const std::vector<std::pair<std::string, std::function<void()>>> calls = {
      {"Worksheet.Calculate", [&] { WorksheetRef("Sheet1")->Calculate(); }},
      {"Application.Calculate", [&] { App()->Calculate(); }},
  };
  for (const auto& [name, call] : calls) {
    EXPECT_THAT(call, RaisesHostError(1004, "Calculation is not available in this host")) << name;
    EXPECT_EQ(host.Value(sheet1, "A1"), host::Variant(2.0)) << name;
  }
}

}  // namespace
}  // namespace tabulara::embedded
