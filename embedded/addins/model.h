#pragma once

#include <memory>
#include <string>
#include <vector>

#include "embedded/runtime.h"
#include "host/addins.h"

namespace tabulara::embedded::addins {

// One add-in of the host's list.
struct Entry {
  std::string progID;
  bool installed = false;
};

struct Model {
  explicit Model(std::shared_ptr<Runtime> runtime) : runtime(std::move(runtime)) {}

  std::shared_ptr<Runtime> runtime;
  // The ProgIDs of the classes the host can load.
  std::vector<std::string> registered;
  // The add-ins list, in the order they were added.
  std::vector<std::shared_ptr<Entry>> listed;
};

// A new reference to the AddIns collection, counted while it exists.
host::Ref<host::AddIns> MakeAddInsObject(const std::shared_ptr<Model>& model);

}  // namespace tabulara::embedded::addins
