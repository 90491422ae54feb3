#pragma once

#include <memory>
#include <utility>

#include "host/object.h"

namespace tabulara::host {

// A live subscription to a host object's events; destroying it ends the
// subscription (the connection point's Unadvise).
class Subscription {
 public:
  virtual ~Subscription() = default;
};

// An event-receiving reference: assigning a host object subscribes `sink` to
// its events, clearing the reference or destroying it ends the subscription
// and then releases the object. Source names its sink interface `Events` and
// subscribes with `Advise(Events&)`.
template <class Source>
class WithEvents {
 public:
  using Sink = typename Source::Events;

  explicit WithEvents(Sink& sink) : sink_(sink) {}
  WithEvents(const WithEvents&) = delete;
  WithEvents& operator=(const WithEvents&) = delete;
  ~WithEvents() { Clear(); }

  WithEvents& operator=(Ref<Source> source) {
    Clear();
    subscription_ = source->Advise(sink_);
    source_ = std::move(source);
    return *this;
  }

  void Clear() {
    subscription_.reset();
    source_.reset();
  }

  bool HasObject() const { return source_ != nullptr; }
  const Ref<Source>& get() const { return source_; }
  Source* operator->() const { return source_.get(); }

 private:
  Sink& sink_;
  Ref<Source> source_;
  std::unique_ptr<Subscription> subscription_;
};

}  // namespace tabulara::host
