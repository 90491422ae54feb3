#include <algorithm>
#include <vector>

#include "embedded/command_bars/control_object.h"

namespace tabulara::embedded::command_bars {
namespace {

bool IsBitmap(const std::vector<std::uint8_t>& picture) {
  return picture.size() >= 2 && picture[0] == 'B' && picture[1] == 'M';
}

class ButtonObject final : public ControlObject<host::CommandBarButton> {
 public:
  using ControlObject::ControlObject;

  void Style(int style) override { Live("CommandBarButton.Style.Put").style = style; }
  void FaceId(int faceId) override { Live("CommandBarButton.FaceId.Put").faceId = faceId; }

  void PasteFace() override {
    Control& button = Live("CommandBarButton.PasteFace");
    const std::optional<std::vector<std::uint8_t>>& picture = model()->clipboard->picture;
    if (!picture || !IsBitmap(*picture)) throw MethodFailed("PasteFace", "_CommandBarButton");
    button.face = *picture;
  }

  std::unique_ptr<host::Subscription> Advise(Events& sink) override {
    Control& button = Live("CommandBarButton.Advise");
    const long subscription = ++model()->lastSubscription;
    button.clickSinks.push_back(ClickSink{subscription, &sink});
    std::weak_ptr<Control> weakButton = control();
    return std::make_unique<CountedSubscription>(shared_runtime(), [weakButton, subscription] {
      if (const std::shared_ptr<Control> subscribed = weakButton.lock()) {
        std::erase_if(subscribed->clickSinks, [&](const ClickSink& s) { return s.subscription == subscription; });
      }
    });
  }
};

bool StillSubscribed(const Control& button, long subscription) {
  return std::any_of(button.clickSinks.begin(), button.clickSinks.end(),
                     [&](const ClickSink& s) { return s.subscription == subscription; });
}

}  // namespace

host::Ref<host::CommandBarButton> MakeButtonObject(const std::shared_ptr<Model>& model,
                                                   const std::shared_ptr<Control>& control) {
  return std::make_shared<ButtonObject>(model, control);
}

void RaiseClick(const std::shared_ptr<Model>& model, const std::shared_ptr<Control>& button) {
  const std::vector<ClickSink> sinks = button->clickSinks;
  const host::Ref<host::CommandBarButton> ctrl = MakeButtonObject(model, button);
  bool cancelDefault = false;
  for (const ClickSink& subscriber : sinks) {
    if (StillSubscribed(*button, subscriber.subscription)) subscriber.sink->Click(ctrl, cancelDefault);
  }
}

}  // namespace tabulara::embedded::command_bars
