#include "embedded/objects/event_hub.h"

#include <algorithm>

namespace tabulara::embedded {

std::uint64_t EventHub::Subscribe(Sink& sink) {
  std::uint64_t id = nextId_++;
  sinks_.emplace_back(id, &sink);
  return id;
}

void EventHub::Unsubscribe(std::uint64_t id) {
  std::erase_if(sinks_, [id](const auto& entry) { return entry.first == id; });
}

void EventHub::Raise(const std::function<void(Sink&)>& deliver) {
  std::vector<std::pair<std::uint64_t, Sink*>> snapshot = sinks_;
  for (const auto& [id, sink] : snapshot) {
    bool subscribed =
        std::any_of(sinks_.begin(), sinks_.end(), [id = id](const auto& entry) { return entry.first == id; });
    if (subscribed) deliver(*sink);
  }
}

}  // namespace tabulara::embedded
