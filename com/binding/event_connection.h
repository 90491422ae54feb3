#pragma once

#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/events.h"

namespace tabulara::com {

// The arguments of an event as its source passed them, by their published
// position (0 is the first).
class EventArguments {
 public:
  explicit EventArguments(DISPPARAMS& parameters) : parameters_(parameters) {}
  IDispatch* Object(unsigned position) const;
  bool Logical(unsigned position) const;
  // Sets a by-reference flag such as Cancel, which the source reads back.
  void SetLogical(unsigned position, bool value) const;

 private:
  VARIANT& At(unsigned position) const;
  DISPPARAMS& parameters_;
};

using EventHandler = std::function<void(const EventArguments&)>;

// Subscribes handlers, by event name, to the events of `source` through its
// connection points. The event interface is the one of the source's
// connection points whose type information (from the source's own type
// library) names every event handled; the dispatch ids come from it too.
// Destroying the subscription unadvises and drops the handlers.
std::unique_ptr<host::Subscription> Subscribe(IDispatch* source,
                                              std::vector<std::pair<std::wstring, EventHandler>> handlers);

}  // namespace tabulara::com
