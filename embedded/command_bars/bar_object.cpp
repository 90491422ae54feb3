#include "embedded/command_bars/errors.h"
#include "embedded/command_bars/find_control.h"
#include "embedded/command_bars/objects.h"

namespace tabulara::embedded::command_bars {
namespace {

// Every MsoBarProtection flag together.
constexpr int kAllProtections = 127;

class BarObject final : public host::CommandBar, private Counted {
 public:
  BarObject(std::shared_ptr<Model> model, std::shared_ptr<Bar> bar)
      : Counted(model->runtime), model_(std::move(model)), bar_(std::move(bar)) {}

  std::string Name() override { return Live("CommandBar.Name").name; }

  // The protection keeps the user from customizing the bar; the add-in's own
  // calls are not restricted by it.
  void Protection(int protection) override {
    Bar& bar = Live("CommandBar.Protection.Put");
    if (protection < 0 || protection > kAllProtections) throw InvalidCall();
    bar.protection = protection;
  }

  host::Maybe<host::CommandBarControl> FindControl(std::optional<int> type, std::optional<int> id,
                                                   const std::optional<std::string>& tag, std::optional<bool> visible,
                                                   std::optional<bool> recursive) override {
    const Bar& bar = Live("CommandBar.FindControl");
    const ControlCriteria criteria{type, id, tag, visible.value_or(false), recursive.value_or(false)};
    const std::shared_ptr<Control> found = FindFirstControl(bar, criteria);
    if (!found) return std::nullopt;
    return MakeControlObject(model_, found);
  }

  host::Ref<host::CommandBarControls> Controls() override {
    Live("CommandBar.Controls");
    return MakeControlsObject(model_, bar_);
  }

 private:
  Bar& Live(std::string_view operation) { return EnterOn(runtime(), *bar_, operation); }

  std::shared_ptr<Model> model_;
  std::shared_ptr<Bar> bar_;
};

}  // namespace

host::Ref<host::CommandBar> MakeBarObject(const std::shared_ptr<Model>& model, const std::shared_ptr<Bar>& bar) {
  return std::make_shared<BarObject>(model, bar);
}

}  // namespace tabulara::embedded::command_bars
