#include "embedded/runtime.h"

namespace tabulara::embedded {

void Runtime::FailOn(const std::string& name, host::HostError error, int skip, int times) {
  failures_.insert_or_assign(name, Failure{std::move(error), skip, times});
}

void Runtime::ClearFailures() { failures_.clear(); }

void Runtime::Enter(std::string_view name) {
  auto found = failures_.find(name);
  if (found == failures_.end()) return;
  Failure& failure = found->second;
  if (failure.skip > 0) {
    --failure.skip;
    return;
  }
  host::HostError error = failure.error;
  if (failure.times > 0 && --failure.times == 0) failures_.erase(found);
  throw error;
}

}  // namespace tabulara::embedded
