#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "embedded/embedded_host.h"

namespace tabulara::testing {

// The add-in in a host, driven the way a user and the host drive it: in
// the same process over the host interfaces, or in Tabulara.dll over COM.
// Either way the workbooks are the embedded host's.
class AddinDriver {
 public:
  virtual ~AddinDriver() = default;
  virtual embedded::EmbeddedHost& host() = 0;
  // Loads the add-in (its start-up runs at the first load) and connects it.
  virtual void Connect(int connectMode) = 0;
  virtual void StartupComplete() = 0;
  // Disconnects the add-in and lets go of its connection object.
  virtual void Disconnect() = 0;
  // A click on a command-bar button by the captions' path; false when the
  // handler's error went back to the host.
  virtual bool Click(const std::vector<std::string>& path) = 0;
  // Stores a per-user setting.
  virtual void WriteSetting(const std::string& section, const std::string& key, const std::string& value) = 0;
  // The texts of the add-in's message boxes shown so far.
  virtual std::vector<std::string> MessageTexts() = 0;
};

// One scenario, run on each host.
struct Scenario {
  const char* name;
  void (*run)(AddinDriver& driver);
};

inline void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }

const std::vector<Scenario>& Scenarios();

}  // namespace tabulara::testing
