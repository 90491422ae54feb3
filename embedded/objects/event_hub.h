#pragma once

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "host/application.h"

namespace tabulara::embedded {

// The subscribers to the application's events.
class EventHub {
 public:
  using Sink = host::Application::Events;

  std::uint64_t Subscribe(Sink& sink);
  void Unsubscribe(std::uint64_t id);

  // Calls deliver(sink) for every subscriber in the order they subscribed;
  // one that unsubscribes meanwhile is skipped.
  void Raise(const std::function<void(Sink&)>& deliver);

 private:
  std::vector<std::pair<std::uint64_t, Sink*>> sinks_;
  std::uint64_t nextId_ = 1;
};

}  // namespace tabulara::embedded
