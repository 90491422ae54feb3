#pragma once

#include <vector>

#include "host/object.h"
#include "host/variant.h"

namespace tabulara::host {

class Application;

// The Office add-in connection interface, in its published slot order.
class IDTExtensibility2 {
 public:
  virtual ~IDTExtensibility2() = default;
  virtual void OnConnection(const Ref<Application>& application, int connectMode, const Ref<Object>& addInInst,
                            std::vector<Variant>& custom) = 0;
  virtual void OnDisconnection(int removeMode, std::vector<Variant>& custom) = 0;
  virtual void OnAddInsUpdate(std::vector<Variant>& custom) = 0;
  virtual void OnStartupComplete(std::vector<Variant>& custom) = 0;
  virtual void OnBeginShutdown(std::vector<Variant>& custom) = 0;
};

}  // namespace tabulara::host
