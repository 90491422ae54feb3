#include "embedded/command_bar_set.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "embedded/command_bars/model.h"
#include "embedded/command_bars/objects.h"

namespace tabulara::embedded {

using command_bars::Bar;
using command_bars::Control;

struct CommandBarSet::Model : command_bars::Model {
  using command_bars::Model::Model;
};

namespace {

std::string Joined(const std::vector<std::string>& path) {
  std::string joined;
  for (const std::string& step : path) joined += (joined.empty() ? "" : "/") + step;
  return joined;
}

std::shared_ptr<Control> VisibleControl(const Bar& bar, const std::string& caption) {
  const auto found = std::find_if(bar.controls.begin(), bar.controls.end(), [&](const std::shared_ptr<Control>& c) {
    return c->visible && command_bars::CaptionMatches(*c, caption);
  });
  return found == bar.controls.end() ? nullptr : *found;
}

// The control a user reaches from the bar named first by opening the pop-ups
// captioned next, shown ones only.
std::shared_ptr<Control> ControlAt(const command_bars::Model& model, const std::vector<std::string>& path) {
  if (path.size() < 2) return nullptr;
  std::shared_ptr<Bar> bar = command_bars::FindBar(model, path.front());
  std::shared_ptr<Control> control;
  for (auto step = path.begin() + 1; step != path.end(); ++step) {
    if (!bar) return nullptr;
    control = VisibleControl(*bar, *step);
    if (!control) return nullptr;
    bar = control->bar;
  }
  return control;
}

void DropTemporary(Bar& bar) {
  const std::vector<std::shared_ptr<Control>> controls = bar.controls;
  for (const std::shared_ptr<Control>& control : controls) {
    if (control->temporary) {
      command_bars::DeleteControl(*control);
    } else if (control->bar) {
      DropTemporary(*control->bar);
    }
  }
}

CommandBarSet::ControlView ViewOf(const Control& control) {
  CommandBarSet::ControlView view;
  view.type = control.type;
  view.id = control.id;
  view.caption = control.caption;
  view.tag = control.tag;
  view.visible = control.visible;
  view.beginGroup = control.beginGroup;
  view.temporary = control.temporary;
  view.style = control.style;
  view.faceId = control.faceId;
  view.pastedFace = control.face.has_value();
  if (control.bar) {
    view.barName = control.bar->name;
    for (const std::shared_ptr<Control>& item : control.bar->controls) view.controls.push_back(ViewOf(*item));
  }
  return view;
}

}  // namespace

CommandBarSet::CommandBarSet(std::shared_ptr<Runtime> runtime, std::shared_ptr<Clipboard> clipboard)
    : model_(std::make_shared<Model>(std::move(runtime), std::move(clipboard))) {}

CommandBarSet::~CommandBarSet() = default;

host::Ref<host::CommandBars> CommandBarSet::CommandBars() { return command_bars::MakeCommandBarsObject(model_); }

void CommandBarSet::Update() {
  const std::vector<command_bars::UpdateSink> sinks = model_->updateSinks;
  for (const command_bars::UpdateSink& subscriber : sinks) {
    const bool subscribed =
        std::any_of(model_->updateSinks.begin(), model_->updateSinks.end(),
                    [&](const command_bars::UpdateSink& s) { return s.subscription == subscriber.subscription; });
    if (subscribed) subscriber.sink->OnUpdate();
  }
}

void CommandBarSet::Click(const std::vector<std::string>& path) {
  const std::shared_ptr<Control> button = ControlAt(*model_, path);
  if (!button || button->type != host::msoControlButton) {
    throw std::invalid_argument("no visible button at " + Joined(path));
  }
  command_bars::RaiseClick(model_, button);
}

void CommandBarSet::FitCellMenu(bool cellHasComment) {
  constexpr int kInsertComment = 2031;
  constexpr std::array<int, 3> kCommentItems = {1589, 1592, 1593};
  const std::shared_ptr<Bar> bar = command_bars::FindBar(*model_, "Cell");
  if (!bar) return;
  for (const std::shared_ptr<Control>& control : bar->controls) {
    if (control->id == kInsertComment) control->visible = !cellHasComment;
    if (std::ranges::find(kCommentItems, control->id) != kCommentItems.end()) control->visible = cellHasComment;
  }
}

void CommandBarSet::DropTemporaryControls() {
  for (const std::shared_ptr<Bar>& bar : model_->bars) DropTemporary(*bar);
}

CommandBarSet::BarView CommandBarSet::View(const std::string& barName) const {
  const std::shared_ptr<Bar> bar = command_bars::FindBar(*model_, barName);
  if (!bar) throw std::invalid_argument("no command bar " + barName);
  BarView view;
  view.name = bar->name;
  view.protection = bar->protection;
  for (const std::shared_ptr<Control>& control : bar->controls) view.controls.push_back(ViewOf(*control));
  return view;
}

}  // namespace tabulara::embedded
