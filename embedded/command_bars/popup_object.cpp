#include "embedded/command_bars/control_object.h"

namespace tabulara::embedded::command_bars {
namespace {

class PopupObject final : public ControlObject<host::CommandBarPopup> {
 public:
  using ControlObject::ControlObject;

  host::Ref<host::CommandBarControls> Controls() override {
    return MakeControlsObject(model(), Live("CommandBarPopup.Controls").bar);
  }
  host::Ref<host::CommandBar> CommandBar() override {
    return MakeBarObject(model(), Live("CommandBarPopup.CommandBar").bar);
  }
};

}  // namespace

host::Ref<host::CommandBarControl> MakeControlObject(const std::shared_ptr<Model>& model,
                                                     const std::shared_ptr<Control>& control) {
  if (control->type == host::msoControlPopup) return std::make_shared<PopupObject>(model, control);
  return MakeButtonObject(model, control);
}

}  // namespace tabulara::embedded::command_bars
