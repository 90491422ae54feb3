#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/variant.h"

namespace tabulara::embedded {

// An object of a class the host creates by ProgID, reached the way the host
// reaches an automation add-in: its methods by name. The functions of an
// installed automation add-in are these methods, called from formulas.
class AutomationServer {
 public:
  virtual ~AutomationServer() = default;
  // The names of the methods a formula may call, as the class spells them.
  virtual std::vector<std::string> Methods() const = 0;
  // Calls a method with the values of the formula's arguments; a failure is
  // a thrown host::HostError.
  virtual host::Variant Invoke(const std::string& method, const std::vector<host::Variant>& arguments) = 0;
};

// Creates an object of a registered class.
using AutomationFactory = std::function<std::unique_ptr<AutomationServer>()>;

}  // namespace tabulara::embedded
