#include "host/host_error.h"

namespace tabulara::host {

HostError Overflow() { return HostError(kErrOverflow, "Overflow"); }
HostError SubscriptOutOfRange() { return HostError(kErrSubscriptOutOfRange, "Subscript out of range"); }
HostError TypeMismatch() { return HostError(kErrTypeMismatch, "Type mismatch"); }
HostError ObjectVariableNotSet() {
  return HostError(kErrObjectVariableNotSet, "Object variable or With block variable not set");
}

}  // namespace tabulara::host
