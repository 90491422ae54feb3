#include "embedded/command_bars/errors.h"

#include <string>

namespace tabulara::embedded::command_bars {

namespace {
constexpr long kObjectNotConnected = -2147221080;
constexpr long kUnspecifiedFailure = -2147467259;
}  // namespace

host::HostError DisconnectedObject() { return host::HostError(kObjectNotConnected, "Automation error"); }

host::HostError MethodFailed(std::string_view method, std::string_view object) {
  return host::HostError(kUnspecifiedFailure,
                         "Method '" + std::string(method) + "' of object '" + std::string(object) + "' failed");
}

host::HostError InvalidCall() { return host::HostError(host::kErrInvalidCall, "Invalid procedure call or argument"); }

}  // namespace tabulara::embedded::command_bars
