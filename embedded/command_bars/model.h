#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "embedded/clipboard.h"
#include "embedded/runtime.h"
#include "host/command_bars.h"
#include "host/constants.h"

namespace tabulara::embedded::command_bars {

struct Bar;

struct ClickSink {
  long subscription = 0;
  host::CommandBarButton::Events* sink = nullptr;
};

struct UpdateSink {
  long subscription = 0;
  host::CommandBars::Events* sink = nullptr;
};

// One control of a bar; a pop-up owns the bar that holds its items.
struct Control {
  int type = host::msoControlButton;
  int id = host::kCustomControlId;
  std::string caption;
  std::string tag;
  std::string parameter;
  bool visible = true;
  bool beginGroup = false;
  bool temporary = false;
  int style = 0;
  int faceId = 0;
  std::optional<std::vector<std::uint8_t>> face;
  std::shared_ptr<Bar> bar;
  std::weak_ptr<Bar> parent;
  bool deleted = false;
  std::vector<ClickSink> clickSinks;
};

struct Bar {
  std::string name;
  int protection = host::msoBarNoProtection;
  std::vector<std::shared_ptr<Control>> controls;
  bool deleted = false;
};

struct Model {
  Model(std::shared_ptr<Runtime> runtime, std::shared_ptr<Clipboard> clipboard);

  std::shared_ptr<Runtime> runtime;
  std::shared_ptr<Clipboard> clipboard;
  // The application's bars in their order: "Worksheet Menu Bar", "Cell".
  std::vector<std::shared_ptr<Bar>> bars;
  // Every built-in control as the host first had it, by which an Add with a
  // built-in Id copies one.
  std::vector<std::shared_ptr<const Control>> builtIns;
  std::vector<UpdateSink> updateSinks;
  long lastSubscription = 0;
  long lastCustomPopup = 0;
};

// A bar by name without regard to case: an application bar, else the bar of a
// pop-up ("File", "Custom Popup 3"). None when no bar has the name.
std::shared_ptr<Bar> FindBar(const Model& model, std::string_view name);

// The bar behind a new custom pop-up, named "Custom Popup " and a number no
// other pop-up had.
std::shared_ptr<Bar> NewCustomPopupBar(Model& model);

// A new control like `original`, its items copied too; not temporary.
std::shared_ptr<Control> CopyControl(const Control& original);

// 1-based position of the control in its bar.
int PositionOf(const Control& control);

// Takes the control off its bar; it and everything under it count as deleted.
void DeleteControl(Control& control);

// The caption as shown, without the accelerator marks: "&File" is "File",
// "&&" a single "&".
std::string ShownCaption(std::string_view caption);

// A user's caption matches with or without the accelerator marks.
bool CaptionMatches(const Control& control, std::string_view caption);

}  // namespace tabulara::embedded::command_bars
