#pragma once

#include <string_view>
#include <utility>

#include "embedded/objects/host_context.h"
#include "embedded/runtime.h"

namespace tabulara::embedded {

// Base of the host's references: counted while alive, and reaching the
// host's state.
class Reference : public Counted {
 protected:
  explicit Reference(Context context) : Counted(context->runtime), context_(std::move(context)) {}

  // Starts the operation `name` ("Range.Value.Put"): raises what a test
  // armed for it.
  void Enter(std::string_view name) const { runtime().Enter(name); }
  HostContext& host() const { return *context_; }
  const Context& context() const { return context_; }

 private:
  Context context_;
};

}  // namespace tabulara::embedded
