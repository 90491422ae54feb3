#include "embedded/rules/calculation.h"
#include "host/host_error.h"

namespace tabulara::embedded {
namespace {

host::HostError CalculationUnavailable() {
  return host::HostError(host::kErrHostFailed, "Calculation is not available in this host");
}

}  // namespace

void CalculateSheet(model::Workbook&, model::Sheet&, const AddInList&) { throw CalculationUnavailable(); }

void CalculateWorkbooks(const std::vector<std::shared_ptr<model::Workbook>>&, const AddInList&) {
  throw CalculationUnavailable();
}

}  // namespace tabulara::embedded
