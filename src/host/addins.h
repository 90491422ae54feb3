#pragma once

#include <string>

#include "host/object.h"

namespace tabulara::host {

class AddIn : public Object {
 public:
  virtual std::string progID() = 0;
  virtual bool Installed() = 0;
  virtual void Installed(bool installed) = 0;
};

class AddIns : public Object {
 public:
  using ItemType = AddIn;

  virtual std::unique_ptr<Enumerator<AddIn>> NewEnum() = 0;
  virtual Ref<AddIn> Add(const std::string& filename, bool copyFile) = 0;
};

}  // namespace tabulara::host
