#include <algorithm>

#include "embedded/command_bars/errors.h"
#include "embedded/command_bars/objects.h"

namespace tabulara::embedded::command_bars {
namespace {

class CommandBarsObject final : public host::CommandBars, private Counted {
 public:
  explicit CommandBarsObject(std::shared_ptr<Model> model) : Counted(model->runtime), model_(std::move(model)) {}

  host::Ref<host::CommandBar> Item(std::int32_t index) override {
    runtime().Enter("CommandBars.Item");
    if (index < 1 || index > static_cast<std::int32_t>(model_->bars.size())) throw InvalidCall();
    return MakeBarObject(model_, model_->bars[index - 1]);
  }

  host::Ref<host::CommandBar> Item(const std::string& name) override {
    runtime().Enter("CommandBars.Item");
    const std::shared_ptr<Bar> bar = FindBar(*model_, name);
    if (!bar) throw InvalidCall();
    return MakeBarObject(model_, bar);
  }

  std::unique_ptr<host::Subscription> Advise(Events& sink) override {
    runtime().Enter("CommandBars.Advise");
    const long subscription = ++model_->lastSubscription;
    model_->updateSinks.push_back(UpdateSink{subscription, &sink});
    std::weak_ptr<Model> weakModel = model_;
    return std::make_unique<CountedSubscription>(shared_runtime(), [weakModel, subscription] {
      if (const std::shared_ptr<Model> model = weakModel.lock()) {
        std::erase_if(model->updateSinks, [&](const UpdateSink& s) { return s.subscription == subscription; });
      }
    });
  }

 private:
  std::shared_ptr<Model> model_;
};

}  // namespace

host::Ref<host::CommandBars> MakeCommandBarsObject(const std::shared_ptr<Model>& model) {
  return std::make_shared<CommandBarsObject>(model);
}

}  // namespace tabulara::embedded::command_bars
