#include "embedded/calculation/callable_functions.h"

#include <cmath>
#include <exception>
#include <optional>

#include "embedded/calculation/builtin_functions.h"
#include "embedded/calculation/clock.h"
#include "embedded/calculation/host_functions.h"
#include "embedded/rules/case_folding.h"
#include "host/constants.h"

namespace tabulara::embedded::calculation {
namespace {

bool IsClockFunction(const std::string& folded) { return folded == "today" || folded == "now"; }

}  // namespace

CallableFunctions::CallableFunctions(std::vector<std::unique_ptr<AutomationServer>> addIns)
    : addIns_(std::move(addIns)) {
  for (const std::unique_ptr<AutomationServer>& server : addIns_) {
    for (const std::string& method : server->Methods()) methods_.push_back({CaseFolded(method), method, server.get()});
  }
}

const CallableFunctions::Method* CallableFunctions::FindMethod(std::string_view name) const {
  if (IsBuiltinFunction(name)) return nullptr;
  const std::string folded = CaseFolded(name);
  for (const Method& method : methods_) {
    if (method.folded == folded) return &method;
  }
  return nullptr;
}

bool CallableFunctions::Has(std::string_view name) const {
  return IsClockFunction(CaseFolded(name)) || IsHostFunction(name) || FindMethod(name) != nullptr;
}

host::Variant CallableFunctions::Call(std::string_view name, const std::vector<host::Variant>& arguments) {
  const std::string folded = CaseFolded(name);
  if (IsClockFunction(folded)) {
    if (!arguments.empty()) return host::ErrorValue{host::xlErrValue};
    const double now = NowSerial();
    return folded == "today" ? std::floor(now) : now;
  }
  if (std::optional<host::Variant> value = CallHostFunction(name, arguments)) return *value;
  const Method* method = FindMethod(name);
  if (method == nullptr) return host::ErrorValue{host::xlErrName};
  try {
    return method->server->Invoke(method->spelled, arguments);
  } catch (const std::exception&) {
    return host::ErrorValue{host::xlErrValue};
  }
}

}  // namespace tabulara::embedded::calculation
