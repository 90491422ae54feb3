#pragma once

#include <cstdint>
#include <string>

#include "host/object.h"

namespace tabulara::host {

class Range;

class Hyperlinks : public Object {
 public:
  virtual std::int32_t Count() = 0;
  // Deletes every hyperlink of the sheet at once.
  virtual void Delete() = 0;
  // An empty address with a sub-address links to a place in the same file.
  virtual void Add(const Ref<Range>& anchor, const std::string& address, const std::string& subAddress) = 0;
};

}  // namespace tabulara::host
