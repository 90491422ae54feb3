#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "host/object.h"

namespace tabulara::host {

class Sheet;

// A workbook's Sheets (every kind, tab order) or Worksheets (worksheets only).
class Sheets : public Object {
 public:
  using ItemType = Sheet;

  virtual std::int32_t Count() = 0;
  // Item by 1-based position; raises "Subscript out of range" past the end.
  virtual Ref<Sheet> Item(std::int32_t position) = 0;
  // Item by name, compared without regard to case.
  virtual Ref<Sheet> Item(const std::string& name) = 0;
  virtual std::unique_ptr<Enumerator<Sheet>> NewEnum() = 0;
  // Adds a worksheet in front of `before` (in front of the active sheet when
  // omitted); with `type` the path of a template file, inserts the
  // template's sheets instead. Returns the (first) new sheet.
  virtual Ref<Sheet> Add(const Maybe<Sheet>& before = std::nullopt,
                         const std::optional<std::string>& type = std::nullopt) = 0;
};

class Workbook : public Object {
 public:
  virtual Maybe<Sheet> ActiveSheet() = 0;
  virtual Ref<host::Sheets> Sheets() = 0;
  virtual Ref<host::Sheets> Worksheets() = 0;
};

}  // namespace tabulara::host
