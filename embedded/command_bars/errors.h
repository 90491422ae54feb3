#pragma once

#include <string_view>

#include "embedded/runtime.h"
#include "host/host_error.h"

namespace tabulara::embedded::command_bars {

// What Office raises for a reference to a control or bar that was deleted:
// the object is no longer connected (0x800401A8).
host::HostError DisconnectedObject();

// Office's refusal of a call, e.g. "Method 'Add' of object
// 'CommandBarControls' failed" (0x80004005).
host::HostError MethodFailed(std::string_view method, std::string_view object);

// "Invalid procedure call or argument": a bar name or index that is not there,
// an argument out of range.
host::HostError InvalidCall();

// Enters `operation`, then raises DisconnectedObject when the control or bar
// it acts on was deleted.
template <class Node>
Node& EnterOn(Runtime& runtime, Node& node, std::string_view operation) {
  runtime.Enter(operation);
  if (node.deleted) throw DisconnectedObject();
  return node;
}

}  // namespace tabulara::embedded::command_bars
