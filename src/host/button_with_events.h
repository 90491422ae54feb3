#pragma once

#include <functional>

#include "host/command_bars.h"
#include "host/events.h"

namespace tabulara::host {

// An event-receiving reference to a command-bar button whose Click goes to
// one handler, e.g. btnIndex -> btnIndex_Click.
class ButtonWithEvents : private CommandBarButton::Events {
 public:
  using Handler = std::function<void(const Ref<CommandBarButton>& ctrl, bool& cancelDefault)>;

  // A reference whose Click reaches no handler.
  ButtonWithEvents() : reference_(*this) {}
  explicit ButtonWithEvents(Handler handler) : handler_(std::move(handler)), reference_(*this) {}

  ButtonWithEvents& operator=(Ref<CommandBarButton> button) {
    reference_ = std::move(button);
    return *this;
  }
  void Clear() { reference_.Clear(); }
  bool HasObject() const { return reference_.HasObject(); }
  const Ref<CommandBarButton>& get() const { return reference_.get(); }
  CommandBarButton* operator->() const { return reference_.operator->(); }

 private:
  void Click(const Ref<CommandBarButton>& ctrl, bool& cancelDefault) override {
    if (handler_) handler_(ctrl, cancelDefault);
  }

  Handler handler_;
  WithEvents<CommandBarButton> reference_;
};

}  // namespace tabulara::host
