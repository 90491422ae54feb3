#pragma once

#include <stdexcept>
#include <string>

namespace tabulara::host {

// An error raised by the host or the platform: the number and description
// the host gave.
class HostError : public std::runtime_error {
 public:
  HostError(long number, const std::string& description) : std::runtime_error(description), number_(number) {}
  long Number() const { return number_; }
  std::string Description() const { return what(); }

 private:
  long number_;
};

// Runtime error numbers raised by the add-in's own code.
inline constexpr long kErrOverflow = 6;
inline constexpr long kErrSubscriptOutOfRange = 9;
inline constexpr long kErrTypeMismatch = 13;
inline constexpr long kErrObjectRequired = 424;
inline constexpr long kErrObjectVariableNotSet = 91;
inline constexpr long kErrInvalidCall = 5;
// The host's code for an operation it refused.
inline constexpr long kErrHostFailed = 1004;

HostError Overflow();
HostError SubscriptOutOfRange();
HostError TypeMismatch();
HostError ObjectVariableNotSet();

}  // namespace tabulara::host
