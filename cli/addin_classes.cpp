#include "cli/addin_classes.h"

#include <cstddef>

#include "embedded/rules/case_folding.h"
#include "functions/formula.h"
#include "host/host_error.h"

namespace tabulara::cli {
namespace {

// Formulas name a function without regard to case.
bool SameName(std::string_view a, std::string_view b) { return embedded::CaseFolded(a) == embedded::CaseFolded(b); }

class FormulaServer final : public embedded::AutomationServer {
 public:
  std::vector<std::string> Methods() const override { return {"Age", "NonStaticRand"}; }

  host::Variant Invoke(const std::string& method, const std::vector<host::Variant>& arguments) override {
    if (SameName(method, "Age")) {
      ExpectArguments(arguments, 1);
      return formula_.Age(arguments.front());
    }
    if (SameName(method, "NonStaticRand")) {
      ExpectArguments(arguments, 0);
      return formula_.NonStaticRand();
    }
    throw host::HostError(438, "Object doesn't support this property or method");
  }

 private:
  static void ExpectArguments(const std::vector<host::Variant>& arguments, std::size_t count) {
    if (arguments.size() != count) throw host::HostError(450, "Wrong number of arguments or invalid property assignment");
  }

  functions::Formula formula_;
};

}  // namespace

std::unique_ptr<embedded::AutomationServer> MakeFormulaServer() { return std::make_unique<FormulaServer>(); }

void RegisterAddinClasses(embedded::AddInList& addIns) {
  addIns.Register(functions::kFormulaProgID, MakeFormulaServer);
}

}  // namespace tabulara::cli
