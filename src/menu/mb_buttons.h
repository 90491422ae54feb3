#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/variant.h"
#include "menu/mb_button.h"

namespace tabulara::menu {

// The template buttons, a collection by 1-based position or by key (keys
// compared without regard to case).
class MBButtons {
 public:
  std::shared_ptr<MBButton> Add(const host::Ref<host::CommandBarButton>& Button, const std::string& Path,
                                const host::Ref<host::Application>& Application, const std::string& sKey = "");
  std::shared_ptr<MBButton> Item(const host::Variant& vntIndexKey) const;
  std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
  void Remove(const host::Variant& vntIndexKey);
  // The buttons in order, for iteration.
  std::vector<std::shared_ptr<MBButton>> NewEnum() const;
  void Clear();

 private:
  struct Entry {
    std::optional<std::string> key;
    std::shared_ptr<MBButton> button;
  };
  std::size_t PositionOf(const host::Variant& vntIndexKey) const;

  std::vector<Entry> items_;
};

}  // namespace tabulara::menu
