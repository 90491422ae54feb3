#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "embedded/command_bars/errors.h"
#include "embedded/command_bars/model.h"
#include "embedded/command_bars/objects.h"
#include "embedded/runtime.h"

namespace tabulara::embedded::command_bars {

// The members every kind of control has, over one control of the model.
// Each call first enters its operation ("CommandBarControl.Caption.Put"),
// then raises the host's error when the control was deleted.
template <class Interface>
class ControlObject : public Interface, protected Counted {
 public:
  ControlObject(std::shared_ptr<Model> model, std::shared_ptr<Control> control)
      : Counted(model->runtime), model_(std::move(model)), control_(std::move(control)) {}

  std::string Caption() override { return Live("CommandBarControl.Caption.Get").caption; }
  void Caption(const std::string& caption) override { Live("CommandBarControl.Caption.Put").caption = caption; }
  std::string Tag() override { return Live("CommandBarControl.Tag.Get").tag; }
  void Tag(const std::string& tag) override { Live("CommandBarControl.Tag.Put").tag = tag; }
  void BeginGroup(bool beginGroup) override { Live("CommandBarControl.BeginGroup.Put").beginGroup = beginGroup; }
  bool Visible() override { return Live("CommandBarControl.Visible.Get").visible; }
  void Visible(bool visible) override { Live("CommandBarControl.Visible.Put").visible = visible; }
  std::int32_t Index() override { return PositionOf(Live("CommandBarControl.Index")); }
  int Type() override { return Live("CommandBarControl.Type").type; }
  host::Ref<host::CommandBar> Parent() override {
    return MakeBarObject(model_, Live("CommandBarControl.Parent").parent.lock());
  }
  void Delete() override { DeleteControl(Live("CommandBarControl.Delete")); }

 protected:
  Control& Live(std::string_view operation) { return EnterOn(runtime(), *control_, operation); }

  const std::shared_ptr<Model>& model() const { return model_; }
  const std::shared_ptr<Control>& control() const { return control_; }

 private:
  std::shared_ptr<Model> model_;
  std::shared_ptr<Control> control_;
};

}  // namespace tabulara::embedded::command_bars
