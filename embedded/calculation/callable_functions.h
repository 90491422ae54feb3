#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "embedded/automation_server.h"
#include "host/variant.h"

namespace tabulara::embedded::calculation {

// The worksheet functions a formula reaches outside the formula engine: the
// host's clock functions (TODAY, NOW), the host's functions the engine lacks,
// and the methods of the installed
// automation add-ins, each add-in's object created once for a calculation.
// A built-in function's name is never taken by an add-in's method.
class CallableFunctions {
 public:
  explicit CallableFunctions(std::vector<std::unique_ptr<AutomationServer>> addIns);

  bool Has(std::string_view name) const;
  // A method that fails gives #VALUE!.
  host::Variant Call(std::string_view name, const std::vector<host::Variant>& arguments);

 private:
  struct Method {
    std::string folded;
    std::string spelled;
    AutomationServer* server;
  };
  const Method* FindMethod(std::string_view name) const;

  std::vector<std::unique_ptr<AutomationServer>> addIns_;
  std::vector<Method> methods_;
};

}  // namespace tabulara::embedded::calculation
