#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/config_view.h"
#include "platform/posix/terminal/curses_screen.h"

namespace tabulara::platform::posix::terminal {

// The configuration dialog on a curses screen, used with the keyboard alone
// or the mouse. Tab and Shift-Tab (or Up and Down outside lists) move the
// focus; Left and Right switch the tabs (between the buttons they move the
// focus); Space ticks a check box or an entry of the visibility list and
// presses the focused button; Enter presses the focused button, elsewhere
// OK; Escape is Cancel. In a list or drop-down box Up, Down, Page Up, Page
// Down, Home and End choose the entry; typed keys go to the size field.
class TerminalConfigView : public ConfigView {
 public:
  // Opens the screen: the sample area's size is known from now on.
  TerminalConfigView();

  void SetCaption(ConfigControl control, const std::string& text) override { captions_[control] = text; }
  void SetItems(ConfigControl list, const std::vector<std::string>& items) override;
  int ItemCount(ConfigControl list) override { return static_cast<int>(lists_[list].items.size()); }
  std::optional<int> Selected(ConfigControl list) override { return lists_[list].selected; }
  void Select(ConfigControl list, std::optional<int> item) override { lists_[list].selected = item; }
  bool ItemChecked(ConfigControl list, int item) override;
  void SetItemChecked(ConfigControl list, int item, bool checked) override;
  bool Checked(ConfigControl checkBox) override { return checked_[checkBox]; }
  void SetChecked(ConfigControl checkBox, bool checked) override { checked_[checkBox] = checked; }
  std::string Text(ConfigControl box) override { return texts_[box]; }
  void SetText(ConfigControl box, const std::string& text) override { texts_[box] = text; }
  void SetEnabled(ConfigControl control, bool enabled) override;
  void SetFocus(ConfigControl control) override;
  int Tab() override { return tab_; }
  void ShowTab(int tab) override;
  void ClearSample() override { printed_.clear(); }
  SampleFont GetSampleFont() override { return sampleFont_; }
  void SetSampleFont(const SampleFont& font) override;
  Extent SampleArea() override;
  Extent MeasureText(const std::string& text) override;
  void PrintText(double x, double y, const std::string& text) override;
  void ShowModal(ConfigEvents& events) override;
  void Close() override { closed_ = true; }

 private:
  struct List {
    std::vector<std::string> items;
    std::optional<int> selected;
    std::vector<bool> checks;
    // The first entry shown.
    int top = 0;
  };
  struct Printed {
    double x = 0;
    double y = 0;
    std::string text;
  };
  // Where a control shows, in the window.
  struct Area {
    int y = 0, x = 0, height = 1, width = 0;
    bool Holds(int row, int column) const {
      return row >= y && row < y + height && column >= x && column < x + width;
    }
  };

  // Drawing (terminal_config_layout.cpp).
  void Draw(WINDOW* window);
  void DrawTabs(WINDOW* window);
  void DrawGeneralTab(WINDOW* window);
  void DrawFontTab(WINDOW* window);
  void DrawButtons(WINDOW* window);
  void DrawCheckBox(WINDOW* window, ConfigControl checkBox, int y, int x);
  void DrawList(WINDOW* window, ConfigControl list, Area area);
  void DrawBox(WINDOW* window, ConfigControl box, Area area);
  void DrawSample(WINDOW* window);
  // A line around the outside of `area`, with a caption in its top line.
  void DrawBorder(WINDOW* window, Area area, const std::string& caption = "");
  attr_t FocusLook(ConfigControl control) const;

  // The user's actions (terminal_config_view.cpp).
  void Press(ConfigEvents& events, const Key& key);
  void Activate(ConfigEvents& events, ConfigControl control);
  void MoveFocus(int step);
  void SwitchTab(int tab);
  void ChooseEntry(ConfigEvents& events, ConfigControl list, int entry);
  void Type(ConfigEvents& events, const Key& key);
  void Mouse(ConfigEvents& events, WINDOW* window);
  std::vector<ConfigControl> FocusOrder() const;

  // Open first: the geometry comes from the screen's size.
  CursesScreen screen_;
  // Geometry.
  int width_ = 0;
  int height_ = 0;
  int fontListWidth_ = 0;
  int styleX_ = 0;
  int sizeX_ = 0;
  // The sample area's inside.
  Area sampleArea_;

  std::map<ConfigControl, std::string> captions_;
  std::map<ConfigControl, List> lists_;
  std::map<ConfigControl, bool> checked_;
  std::map<ConfigControl, std::string> texts_;
  std::set<ConfigControl> disabled_;
  std::map<ConfigControl, Area> areas_;
  ConfigControl focus_ = ConfigControl::TabGeneral;
  int tab_ = 0;
  SampleFont sampleFont_;
  std::vector<Printed> printed_;
  bool closed_ = false;
};

}  // namespace tabulara::platform::posix::terminal
