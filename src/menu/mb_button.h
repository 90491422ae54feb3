#pragma once

#include <string>

#include "host/host.h"

namespace tabulara::menu {

// One button of the template menu: it knows its template's path and
// inserts the template's sheets when clicked.
class MBButton : private host::CommandBarButton::Events {
 public:
  MBButton() = default;
  MBButton(const MBButton&) = delete;
  MBButton& operator=(const MBButton&) = delete;

  void Application(const host::Ref<host::Application>& pApp) { application_ = pApp; }
  void Path(const std::string& TemplatePath) { path_ = TemplatePath; }
  // Holds the button, which subscribes its Click.
  void Button(const host::Ref<host::CommandBarButton>& cmdbarbutton) { mBtn = cmdbarbutton; }

 private:
  void Click(const host::Ref<host::CommandBarButton>& ctrl, bool& cancelDefault) override {
    mBtn_Click(ctrl, cancelDefault);
  }
  void mBtn_Click(const host::Ref<host::CommandBarButton>& ctrl, bool& cancelDefault);

  std::string path_;
  host::Ref<host::Application> application_;
  host::WithEvents<host::CommandBarButton> mBtn{*this};
};

}  // namespace tabulara::menu
