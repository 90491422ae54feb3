#include "platform/posix/terminal/terminal_config_view.h"

#include <algorithm>
#include <span>

#include "host/host_error.h"

namespace tabulara::platform::posix::terminal {
namespace {

using Control = ConfigControl;

constexpr Control kGeneralOrder[] = {Control::TabGeneral, Control::chkCommentStyle, Control::chkCellSpotter,
                                     Control::chkFormula, Control::lstVisiblity,    Control::cmdOK,
                                     Control::cmdCancel,  Control::cmdApply};
constexpr Control kFontOrder[] = {Control::TabGeneral, Control::chkBeforeSave, Control::chkFontName,
                                  Control::chkFontStyle, Control::chkFontSize, Control::lstFont,
                                  Control::cmbStyle,   Control::cmbSize,      Control::cmdOK,
                                  Control::cmdCancel,  Control::cmdApply};

// The sizes a drawing area takes, in points.
constexpr int kLargestFontSize = 2048;
// The host's error for a property value out of range.
constexpr int kInvalidPropertyValue = 380;
constexpr int kBackspace = 8;

bool IsList(Control control) {
  return control == Control::lstVisiblity || control == Control::lstFont || control == Control::cmbStyle ||
         control == Control::cmbSize;
}

bool IsButton(Control control) {
  return control == Control::cmdOK || control == Control::cmdCancel || control == Control::cmdApply;
}

bool OnFontTab(Control control) {
  return std::find(std::begin(kFontOrder) + 1, std::end(kFontOrder) - 3, control) != std::end(kFontOrder) - 3 ||
         control == Control::Frame1 || control == Control::Label1 || control == Control::Label2 ||
         control == Control::Label3 || control == Control::Label4 || control == Control::picSample;
}

bool OnGeneralTab(Control control) {
  return std::find(std::begin(kGeneralOrder) + 1, std::end(kGeneralOrder) - 3, control) !=
             std::end(kGeneralOrder) - 3 ||
         control == Control::Label5;
}

// The text without its last UTF-8 character.
std::string WithoutLastCharacter(std::string text) {
  while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) text.pop_back();
  if (!text.empty()) text.pop_back();
  return text;
}

std::string Utf8(wint_t code) {
  const auto c = static_cast<char32_t>(code);
  std::string text;
  if (c < 0x80) {
    text += static_cast<char>(c);
  } else if (c < 0x800) {
    text += static_cast<char>(0xC0 | (c >> 6));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    text += static_cast<char>(0xE0 | (c >> 12));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (c >> 18));
    text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  }
  return text;
}

}  // namespace

void TerminalConfigView::SetItems(Control list, const std::vector<std::string>& items) {
  lists_[list] = {items, std::nullopt, std::vector<bool>(items.size(), false), 0};
}

bool TerminalConfigView::ItemChecked(Control list, int item) {
  return lists_[list].checks.at(static_cast<std::size_t>(item));
}

void TerminalConfigView::SetItemChecked(Control list, int item, bool checked) {
  lists_[list].checks.at(static_cast<std::size_t>(item)) = checked;
}

void TerminalConfigView::SetEnabled(Control control, bool enabled) {
  if (enabled) {
    disabled_.erase(control);
    return;
  }
  disabled_.insert(control);
  if (focus_ == control) focus_ = Control::cmdOK;
}

void TerminalConfigView::SetFocus(Control control) {
  if (OnFontTab(control)) tab_ = 1;
  if (OnGeneralTab(control)) tab_ = 0;
  focus_ = control;
}

void TerminalConfigView::ShowTab(int tab) {
  tab_ = tab;
  if ((tab == 0 && OnFontTab(focus_)) || (tab == 1 && OnGeneralTab(focus_))) focus_ = Control::TabGeneral;
}

void TerminalConfigView::SetSampleFont(const SampleFont& font) {
  if (font.size < 1 || font.size > kLargestFontSize) throw host::HostError(kInvalidPropertyValue, "Invalid property value");
  sampleFont_ = font;
}

Extent TerminalConfigView::SampleArea() {
  return {static_cast<double>(sampleArea_.width), static_cast<double>(sampleArea_.height)};
}

Extent TerminalConfigView::MeasureText(const std::string& text) { return {static_cast<double>(CellWidth(text)), 1}; }

void TerminalConfigView::PrintText(double x, double y, const std::string& text) { printed_.push_back({x, y, text}); }

std::vector<Control> TerminalConfigView::FocusOrder() const {
  std::vector<Control> order;
  for (const Control control : tab_ == 0 ? std::span<const Control>(kGeneralOrder) : std::span<const Control>(kFontOrder)) {
    if (!disabled_.contains(control)) order.push_back(control);
  }
  return order;
}

void TerminalConfigView::MoveFocus(int step) {
  const std::vector<Control> order = FocusOrder();
  const auto at = std::find(order.begin(), order.end(), focus_);
  const auto size = static_cast<int>(order.size());
  const int index = at == order.end() ? 0 : static_cast<int>(at - order.begin());
  focus_ = order[static_cast<std::size_t>((index + step + size) % size)];
}

void TerminalConfigView::SwitchTab(int tab) {
  if (tab == tab_) return;
  ShowTab(tab);
  focus_ = Control::TabGeneral;
}

void TerminalConfigView::ChooseEntry(ConfigEvents& events, Control list, int entry) {
  List& shown = lists_[list];
  if (shown.items.empty()) return;
  entry = std::clamp(entry, 0, static_cast<int>(shown.items.size()) - 1);
  if (list == Control::cmbStyle || list == Control::cmbSize) {
    const std::string& text = shown.items[static_cast<std::size_t>(entry)];
    shown.selected = entry;
    if (texts_[list] == text) return;
    texts_[list] = text;
  } else {
    if (shown.selected == entry) return;
    shown.selected = entry;
  }
  events.Click(list);
}

void TerminalConfigView::Activate(ConfigEvents& events, Control control) {
  if (disabled_.contains(control)) return;
  if (control == Control::TabGeneral) return SwitchTab(1 - tab_);
  if (control == Control::lstVisiblity) {
    List& list = lists_[control];
    if (!list.selected) return;
    const auto entry = static_cast<std::size_t>(*list.selected);
    list.checks.at(entry) = !list.checks.at(entry);
    return events.ItemCheck(control, *list.selected);
  }
  if (IsList(control)) return;
  if (!IsButton(control)) checked_[control] = !checked_[control];
  events.Click(control);
}

void TerminalConfigView::Type(ConfigEvents& events, const Key& key) {
  const bool backspace = key.IsFunction(KEY_BACKSPACE) || key.Is(kBackspace) || key.Is(127);
  if (!backspace && (key.function || key.code < 32)) return;
  const int keyAscii = backspace ? kBackspace : static_cast<int>(key.code);
  if (!events.KeyPress(Control::cmbSize, keyAscii)) return;
  std::string& text = texts_[Control::cmbSize];
  text = backspace ? WithoutLastCharacter(text) : text + Utf8(key.code);
}

void TerminalConfigView::Press(ConfigEvents& events, const Key& key) {
  const bool inList = IsList(focus_);
  if (key.Is(kEscape)) return events.Click(Control::cmdCancel);
  if (key.Is(kEnter) || key.Is(kReturn)) {
    return events.Click(IsButton(focus_) && !disabled_.contains(focus_) ? focus_ : Control::cmdOK);
  }
  if (key.Is(kTab)) return MoveFocus(1);
  if (key.IsFunction(KEY_BTAB)) return MoveFocus(-1);
  if (key.Is(L' ') && focus_ != Control::cmbSize) return Activate(events, focus_);
  if (key.IsFunction(KEY_LEFT) || key.IsFunction(KEY_RIGHT)) {
    const int step = key.IsFunction(KEY_LEFT) ? -1 : 1;
    if (IsButton(focus_)) return MoveFocus(step);
    return SwitchTab(step < 0 ? 0 : 1);
  }
  if (!inList) {
    if (key.IsFunction(KEY_UP)) return MoveFocus(-1);
    if (key.IsFunction(KEY_DOWN)) return MoveFocus(1);
    return;
  }
  const List& list = lists_[focus_];
  int current = list.selected.value_or(-1);
  if (focus_ == Control::cmbStyle || focus_ == Control::cmbSize) {
    const auto shown = std::find(list.items.begin(), list.items.end(), texts_[focus_]);
    current = shown == list.items.end() ? -1 : static_cast<int>(shown - list.items.begin());
  }
  const int page = std::max(1, focus_ == Control::lstFont ? areas_[focus_].height - 1 : 1);
  const int last = static_cast<int>(list.items.size()) - 1;
  if (key.IsFunction(KEY_UP)) return ChooseEntry(events, focus_, current - 1);
  if (key.IsFunction(KEY_DOWN)) return ChooseEntry(events, focus_, current + 1);
  if (key.IsFunction(KEY_PPAGE)) return ChooseEntry(events, focus_, current - page);
  if (key.IsFunction(KEY_NPAGE)) return ChooseEntry(events, focus_, current + page);
  if (key.IsFunction(KEY_HOME)) return ChooseEntry(events, focus_, 0);
  if (key.IsFunction(KEY_END)) return ChooseEntry(events, focus_, last);
  if (focus_ == Control::cmbSize) Type(events, key);
}

void TerminalConfigView::Mouse(ConfigEvents& events, WINDOW* window) {
  const auto event = MouseEvent();
  if (!event || !(event->bstate & (BUTTON1_CLICKED | BUTTON1_PRESSED)) || !wenclose(window, event->y, event->x)) {
    return;
  }
  int y = event->y, x = event->x;
  wmouse_trafo(window, &y, &x, FALSE);
  for (const auto& [control, area] : areas_) {
    if (!area.Holds(y, x) || disabled_.contains(control)) continue;
    if (control == Control::TabGeneral || control == Control::TabFont) {
      return SwitchTab(control == Control::TabGeneral ? 0 : 1);
    }
    focus_ = control;
    if (control == Control::lstVisiblity || control == Control::lstFont) {
      ChooseEntry(events, control, lists_[control].top + (y - area.y));
      if (control == Control::lstVisiblity && x < area.x + 3) Activate(events, control);
      return;
    }
    if (!IsList(control)) Activate(events, control);
    return;
  }
}

void TerminalConfigView::ShowModal(ConfigEvents& events) {
  closed_ = false;
  Window window(newwin(height_, width_, (LINES - height_) / 2, (COLS - width_) / 2));
  keypad(window.get(), TRUE);
  while (!closed_) {
    Draw(window.get());
    const Key key = CursesScreen::ReadKey(window.get());
    if (key.IsFunction(KEY_EXIT)) break;
    if (key.IsFunction(KEY_MOUSE)) {
      Mouse(events, window.get());
    } else {
      Press(events, key);
    }
  }
  curs_set(0);
}

}  // namespace tabulara::platform::posix::terminal
