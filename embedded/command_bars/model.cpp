#include "embedded/command_bars/model.h"

#include <algorithm>

#include "embedded/command_bars/builtin_bars.h"

namespace tabulara::embedded::command_bars {
namespace {

bool SameName(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return lower(x) == lower(y); });
}

std::shared_ptr<Bar> FindPopupBar(const Bar& bar, std::string_view name) {
  for (const std::shared_ptr<Control>& control : bar.controls) {
    if (!control->bar) continue;
    if (SameName(control->bar->name, name)) return control->bar;
    if (std::shared_ptr<Bar> found = FindPopupBar(*control->bar, name)) return found;
  }
  return nullptr;
}

void MarkDeleted(Control& control) {
  control.deleted = true;
  if (!control.bar) return;
  control.bar->deleted = true;
  for (const std::shared_ptr<Control>& item : control.bar->controls) MarkDeleted(*item);
}

void CollectBuiltIns(const Bar& bar, std::vector<std::shared_ptr<const Control>>& builtIns) {
  for (const std::shared_ptr<Control>& control : bar.controls) {
    builtIns.push_back(CopyControl(*control));
    if (control->bar) CollectBuiltIns(*control->bar, builtIns);
  }
}

}  // namespace

Model::Model(std::shared_ptr<Runtime> runtime, std::shared_ptr<Clipboard> clipboard)
    : runtime(std::move(runtime)), clipboard(std::move(clipboard)), bars(BuiltInBars()) {
  for (const std::shared_ptr<Bar>& bar : bars) CollectBuiltIns(*bar, builtIns);
}

std::shared_ptr<Bar> FindBar(const Model& model, std::string_view name) {
  for (const std::shared_ptr<Bar>& bar : model.bars) {
    if (SameName(bar->name, name)) return bar;
  }
  for (const std::shared_ptr<Bar>& bar : model.bars) {
    if (std::shared_ptr<Bar> found = FindPopupBar(*bar, name)) return found;
  }
  return nullptr;
}

std::shared_ptr<Bar> NewCustomPopupBar(Model& model) {
  auto bar = std::make_shared<Bar>();
  bar->name = "Custom Popup " + std::to_string(++model.lastCustomPopup);
  return bar;
}

std::shared_ptr<Control> CopyControl(const Control& original) {
  auto copy = std::make_shared<Control>();
  copy->type = original.type;
  copy->id = original.id;
  copy->caption = original.caption;
  copy->tag = original.tag;
  copy->parameter = original.parameter;
  copy->visible = original.visible;
  copy->beginGroup = original.beginGroup;
  copy->style = original.style;
  copy->faceId = original.faceId;
  copy->face = original.face;
  if (original.bar) {
    copy->bar = std::make_shared<Bar>();
    copy->bar->name = original.bar->name;
    for (const std::shared_ptr<Control>& item : original.bar->controls) {
      std::shared_ptr<Control> itemCopy = CopyControl(*item);
      itemCopy->parent = copy->bar;
      copy->bar->controls.push_back(std::move(itemCopy));
    }
  }
  return copy;
}

int PositionOf(const Control& control) {
  const std::shared_ptr<Bar> bar = control.parent.lock();
  const auto found = std::find_if(bar->controls.begin(), bar->controls.end(),
                                  [&](const std::shared_ptr<Control>& item) { return item.get() == &control; });
  return static_cast<int>(found - bar->controls.begin()) + 1;
}

void DeleteControl(Control& control) {
  if (const std::shared_ptr<Bar> bar = control.parent.lock()) {
    std::erase_if(bar->controls, [&](const std::shared_ptr<Control>& item) { return item.get() == &control; });
  }
  MarkDeleted(control);
}

std::string ShownCaption(std::string_view caption) {
  std::string shown;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') {
      shown += caption[i];
    } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
      shown += '&';
      ++i;
    }
  }
  return shown;
}

bool CaptionMatches(const Control& control, std::string_view caption) {
  return control.caption == caption || ShownCaption(control.caption) == caption;
}

}  // namespace tabulara::embedded::command_bars
