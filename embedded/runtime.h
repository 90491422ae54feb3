#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "host/events.h"
#include "host/host_error.h"

namespace tabulara::embedded {

// The bookkeeping every object of one embedded host shares: how many host
// references and event subscriptions are alive, and which operations a test
// has told to fail.
class Runtime {
 public:
  // Makes the operation `name` ("Sheet.Move", "Range.Value.Put", ...) raise
  // `error` from its next call on, after `skip` calls that still succeed,
  // for `times` calls (every call when omitted).
  void FailOn(const std::string& name, host::HostError error, int skip = 0, int times = -1);
  void ClearFailures();
  // Called by every operation as it starts; raises what FailOn armed.
  void Enter(std::string_view name);

  long LiveReferences() const { return liveReferences_; }
  long LiveSubscriptions() const { return liveSubscriptions_; }

 private:
  friend class Counted;
  friend class CountedSubscription;

  struct Failure {
    host::HostError error;
    int skip;
    int times;
  };
  std::map<std::string, Failure, std::less<>> failures_;
  long liveReferences_ = 0;
  long liveSubscriptions_ = 0;
};

// Base of every reference the embedded host hands out: counts itself as a
// live host reference for as long as it exists, like a COM object's
// reference count.
class Counted {
 public:
  explicit Counted(std::shared_ptr<Runtime> runtime) : runtime_(std::move(runtime)) { ++runtime_->liveReferences_; }
  Counted(const Counted&) = delete;
  Counted& operator=(const Counted&) = delete;
  virtual ~Counted() { --runtime_->liveReferences_; }

 protected:
  Runtime& runtime() const { return *runtime_; }
  const std::shared_ptr<Runtime>& shared_runtime() const { return runtime_; }

 private:
  std::shared_ptr<Runtime> runtime_;
};

// A subscription that counts itself and runs `end` when it goes.
class CountedSubscription : public host::Subscription {
 public:
  template <class End>
  CountedSubscription(std::shared_ptr<Runtime> runtime, End end) : runtime_(std::move(runtime)), end_(std::move(end)) {
    ++runtime_->liveSubscriptions_;
  }
  ~CountedSubscription() override {
    end_();
    --runtime_->liveSubscriptions_;
  }

 private:
  std::shared_ptr<Runtime> runtime_;
  std::function<void()> end_;
};

}  // namespace tabulara::embedded
