#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/about_view.h"
#include "platform/config_view.h"

namespace tabulara::testing {

// A configuration dialog without a window: keeps what the logic set, plays
// the user's actions of `script` while shown, and measures text as
// `size` wide per character and `2 * size` high.
class ScriptedConfigView : public platform::ConfigView {
 public:
  using Control = platform::ConfigControl;

  std::function<void(ScriptedConfigView&)> script;

  // The user: clicks a button or check box (flipping its state), chooses a list or
  // drop-down entry by its text, ticks or unticks a visibility entry, types
  // keys into the size field ('\b' is Backspace), pastes over a box's text.
  void UserClick(Control control);
  void UserChoose(Control list, const std::string& item);
  void UserTickItem(int item);
  void UserType(const std::string& keys);
  void UserPaste(Control box, const std::string& text) { texts[box] = text; }

  std::map<Control, std::string> captions;
  std::map<Control, std::vector<std::string>> items;
  std::map<Control, std::optional<int>> selected;
  std::map<Control, std::vector<bool>> itemChecks;
  std::map<Control, bool> checked;
  std::map<Control, std::string> texts;
  std::map<Control, bool> enabled;
  std::optional<Control> focus;
  int tab = 0;
  platform::SampleFont sampleFont;
  platform::Extent area{100, 40};
  // What the sample area shows: "TEXT@x,y" per print since it was cleared.
  std::vector<std::string> sample;
  bool closed = false;

  void SetCaption(Control control, const std::string& text) override { captions[control] = text; }
  void SetItems(Control list, const std::vector<std::string>& entries) override;
  int ItemCount(Control list) override { return static_cast<int>(items[list].size()); }
  std::optional<int> Selected(Control list) override { return selected[list]; }
  void Select(Control list, std::optional<int> item) override { selected[list] = item; }
  bool ItemChecked(Control list, int item) override { return itemChecks[list].at(static_cast<std::size_t>(item)); }
  void SetItemChecked(Control list, int item, bool state) override {
    itemChecks[list].at(static_cast<std::size_t>(item)) = state;
  }
  bool Checked(Control checkBox) override { return checked[checkBox]; }
  void SetChecked(Control checkBox, bool state) override { checked[checkBox] = state; }
  std::string Text(Control box) override { return texts[box]; }
  void SetText(Control box, const std::string& text) override { texts[box] = text; }
  void SetEnabled(Control control, bool state) override { enabled[control] = state; }
  void SetFocus(Control control) override { focus = control; }
  int Tab() override { return tab; }
  void ShowTab(int shown) override { tab = shown; }
  void ClearSample() override { sample.clear(); }
  platform::SampleFont GetSampleFont() override { return sampleFont; }
  void SetSampleFont(const platform::SampleFont& font) override;
  platform::Extent SampleArea() override { return area; }
  platform::Extent MeasureText(const std::string& text) override;
  void PrintText(double x, double y, const std::string& text) override;
  void ShowModal(platform::ConfigEvents& events) override;
  void Close() override { closed = true; }

 private:
  platform::ConfigEvents* events_ = nullptr;
};

// An About dialog without a window: keeps the texts and the link's look,
// and plays `script` while shown.
class ScriptedAboutView : public platform::AboutView {
 public:
  using Control = platform::AboutControl;

  std::function<void(ScriptedAboutView&)> script;
  void UserClick(Control control) { events_->Click(control); }
  void UserMoveMouseOver(Control control) { events_->MouseMove(control); }

  std::map<Control, std::string> captions;
  std::map<Control, bool> underlined;
  std::map<Control, long> colors;
  std::map<Control, bool> handCursor;
  bool closed = false;

  void SetCaption(Control control, const std::string& text) override { captions[control] = text; }
  void SetUnderline(Control control, bool underline) override { underlined[control] = underline; }
  void SetForeColor(Control control, long color) override { colors[control] = color; }
  void SetHandCursor(Control control) override { handCursor[control] = true; }
  void ShowModal(platform::AboutEvents& events) override;
  void Close() override { closed = true; }

 private:
  platform::AboutEvents* events_ = nullptr;
};

}  // namespace tabulara::testing
