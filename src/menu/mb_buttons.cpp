#include "menu/mb_buttons.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "host/host_error.h"

namespace tabulara::menu {
namespace {

constexpr long kErrDuplicateKey = 457;

bool SameKey(const std::string& left, const std::string& right) {
  return std::equal(left.begin(), left.end(), right.begin(), right.end(), [](unsigned char a, unsigned char b) {
    return std::tolower(a) == std::tolower(b);
  });
}

}  // namespace

std::shared_ptr<MBButton> MBButtons::Add(const host::Ref<host::CommandBarButton>& Button, const std::string& Path,
                                         const host::Ref<host::Application>& Application, const std::string& sKey) {
  auto button = std::make_shared<MBButton>();
  button->Button(Button);
  button->Path(Path);
  button->Application(Application);
  if (!sKey.empty()) {
    for (const Entry& entry : items_) {
      if (entry.key && SameKey(*entry.key, sKey)) {
        throw host::HostError(kErrDuplicateKey, "This key is already associated with an element of this collection");
      }
    }
    items_.push_back(Entry{sKey, button});
  } else {
    items_.push_back(Entry{std::nullopt, button});
  }
  return button;
}

std::size_t MBButtons::PositionOf(const host::Variant& vntIndexKey) const {
  if (vntIndexKey.IsText()) {
    for (std::size_t i = 0; i < items_.size(); ++i) {
      if (items_[i].key && SameKey(*items_[i].key, vntIndexKey.AsText())) return i;
    }
    throw host::HostError(host::kErrInvalidCall, "Invalid procedure call or argument");
  }
  if (!vntIndexKey.IsNumber()) throw host::TypeMismatch();
  const double index = std::nearbyint(vntIndexKey.AsNumber());
  if (index < 1 || index > static_cast<double>(items_.size())) throw host::SubscriptOutOfRange();
  return static_cast<std::size_t>(index) - 1;
}

std::shared_ptr<MBButton> MBButtons::Item(const host::Variant& vntIndexKey) const {
  return items_[PositionOf(vntIndexKey)].button;
}

void MBButtons::Remove(const host::Variant& vntIndexKey) {
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(PositionOf(vntIndexKey)));
}

std::vector<std::shared_ptr<MBButton>> MBButtons::NewEnum() const {
  std::vector<std::shared_ptr<MBButton>> buttons;
  for (const Entry& entry : items_) buttons.push_back(entry.button);
  return buttons;
}

void MBButtons::Clear() {
  for (std::int32_t position = Count(); position >= 1; --position) Remove(position);
}

}  // namespace tabulara::menu
