#pragma once

#include "host/extensibility.h"

namespace tabulara::addin {

// The connection class the host loads the add-in through. It holds no state
// of its own.
class Gridwright : public host::IDTExtensibility2 {
 public:
  void OnConnection(const host::Ref<host::Application>& application, int connectMode,
                    const host::Ref<host::Object>& addInInst, std::vector<host::Variant>& custom) override;
  void OnDisconnection(int removeMode, std::vector<host::Variant>& custom) override;
  void OnAddInsUpdate(std::vector<host::Variant>& custom) override;
  void OnStartupComplete(std::vector<host::Variant>& custom) override;
  void OnBeginShutdown(std::vector<host::Variant>& custom) override;
};

}  // namespace tabulara::addin
