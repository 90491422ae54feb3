#include <vector>

#include "embedded/command_bars/errors.h"
#include "embedded/command_bars/objects.h"
#include "host/conversions.h"

namespace tabulara::embedded::command_bars {
namespace {

// Walks the controls the bar had when the enumeration began, passing over
// those deleted since.
class ControlEnumerator final : public host::Enumerator<host::CommandBarControl>, private Counted {
 public:
  ControlEnumerator(std::shared_ptr<Model> model, std::vector<std::shared_ptr<Control>> controls)
      : Counted(model->runtime), model_(std::move(model)), controls_(std::move(controls)) {}

  host::Maybe<host::CommandBarControl> Next() override {
    runtime().Enter("CommandBarControls.Next");
    while (next_ < controls_.size()) {
      const std::shared_ptr<Control>& control = controls_[next_++];
      if (!control->deleted) return MakeControlObject(model_, control);
    }
    return std::nullopt;
  }

 private:
  std::shared_ptr<Model> model_;
  std::vector<std::shared_ptr<Control>> controls_;
  std::size_t next_ = 0;
};

std::shared_ptr<Control> NewControl(Model& model, std::optional<int> type, std::optional<int> id) {
  if (id && *id != host::kCustomControlId) {
    for (const std::shared_ptr<const Control>& builtIn : model.builtIns) {
      if (builtIn->id == *id) return CopyControl(*builtIn);
    }
    throw MethodFailed("Add", "CommandBarControls");
  }
  auto control = std::make_shared<Control>();
  control->type = type.value_or(host::msoControlButton);
  if (control->type == host::msoControlPopup) {
    control->bar = NewCustomPopupBar(model);
  } else if (control->type != host::msoControlButton) {
    throw InvalidCall();
  }
  return control;
}

class ControlsObject final : public host::CommandBarControls, private Counted {
 public:
  ControlsObject(std::shared_ptr<Model> model, std::shared_ptr<Bar> bar)
      : Counted(model->runtime), model_(std::move(model)), bar_(std::move(bar)) {}

  std::int32_t Count() override { return static_cast<std::int32_t>(Live("CommandBarControls.Count").controls.size()); }

  std::unique_ptr<host::Enumerator<host::CommandBarControl>> NewEnum() override {
    return std::make_unique<ControlEnumerator>(model_, Live("CommandBarControls.NewEnum").controls);
  }

  // Before counts from 1; one past the last control appends, as an omitted
  // Before does. An Id other than 1 copies the built-in control of that Id.
  host::Ref<host::CommandBarControl> Add(std::optional<int> type, std::optional<int> id,
                                         const std::optional<host::Variant>& parameter,
                                         std::optional<std::int32_t> before, std::optional<bool> temporary) override {
    Bar& bar = Live("CommandBarControls.Add");
    const auto count = static_cast<std::int32_t>(bar.controls.size());
    const std::int32_t position = before.value_or(count + 1);
    if (position < 1 || position > count + 1) throw MethodFailed("Add", "CommandBarControls");
    std::shared_ptr<Control> control = NewControl(*model_, type, id);
    if (parameter) control->parameter = host::ToText(*parameter);
    control->temporary = temporary.value_or(false);
    control->parent = bar_;
    bar.controls.insert(bar.controls.begin() + (position - 1), control);
    return MakeControlObject(model_, control);
  }

 private:
  Bar& Live(std::string_view operation) { return EnterOn(runtime(), *bar_, operation); }

  std::shared_ptr<Model> model_;
  std::shared_ptr<Bar> bar_;
};

}  // namespace

host::Ref<host::CommandBarControls> MakeControlsObject(const std::shared_ptr<Model>& model,
                                                       const std::shared_ptr<Bar>& bar) {
  return std::make_shared<ControlsObject>(model, bar);
}

}  // namespace tabulara::embedded::command_bars
