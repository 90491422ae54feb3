#include <algorithm>
#include <cmath>

#include "platform/posix/terminal/terminal_config_view.h"

namespace tabulara::platform::posix::terminal {
namespace {

using Control = ConfigControl;

constexpr int kMaxWidth = 76;
constexpr int kMaxHeight = 22;
constexpr int kStyleWidth = 16;
constexpr int kSizeWidth = 6;
// The first row below the tab strip.
constexpr int kTabTop = 3;

}  // namespace

TerminalConfigView::TerminalConfigView()
    : width_(std::min(kMaxWidth, COLS)),
      height_(std::min(kMaxHeight, LINES)),
      fontListWidth_((width_ - 10) * 2 / 5),
      styleX_(4 + fontListWidth_ + 4),
      sizeX_(styleX_ + kStyleWidth + 4),
      sampleArea_{kTabTop + 10, styleX_ + 1, std::max(1, height_ - 5 - (kTabTop + 10)),
                  std::max(1, width_ - 5 - (styleX_ + 1))} {}

attr_t TerminalConfigView::FocusLook(Control control) const {
  if (disabled_.contains(control)) return A_DIM;
  return focus_ == control ? A_REVERSE : A_NORMAL;
}

void TerminalConfigView::DrawBorder(WINDOW* window, Area area, const std::string& caption) {
  const int top = area.y - 1, left = area.x - 1, bottom = area.y + area.height, right = area.x + area.width;
  mvwhline(window, top, left + 1, ACS_HLINE, area.width);
  mvwhline(window, bottom, left + 1, ACS_HLINE, area.width);
  mvwvline(window, top + 1, left, ACS_VLINE, area.height);
  mvwvline(window, top + 1, right, ACS_VLINE, area.height);
  mvwaddch(window, top, left, ACS_ULCORNER);
  mvwaddch(window, top, right, ACS_URCORNER);
  mvwaddch(window, bottom, left, ACS_LLCORNER);
  mvwaddch(window, bottom, right, ACS_LRCORNER);
  if (!caption.empty()) DrawText(window, top, left + 2, " " + caption + " ", area.width - 2);
}

void TerminalConfigView::Draw(WINDOW* window) {
  werase(window);
  areas_.clear();
  DrawFrame(window, captions_[Control::Form]);
  DrawTabs(window);
  if (tab_ == 0) {
    DrawGeneralTab(window);
  } else {
    DrawFontTab(window);
  }
  DrawButtons(window);
  const bool editing = focus_ == Control::cmbSize;
  curs_set(editing ? 1 : 0);
  if (editing) {
    const Area& size = areas_[Control::cmbSize];
    wmove(window, size.y, size.x + 1 + std::min(CellWidth(texts_[Control::cmbSize]), kSizeWidth - 1));
  }
  ShowWindow(window);
}

void TerminalConfigView::DrawTabs(WINDOW* window) {
  int x = 2;
  for (const auto& [tab, control] : {std::pair{0, Control::TabGeneral}, std::pair{1, Control::TabFont}}) {
    const std::string shown = tab == tab_ ? "[" + captions_[control] + "]" : " " + captions_[control] + " ";
    attr_t look = tab == tab_ ? A_BOLD : A_NORMAL;
    if (tab == tab_ && focus_ == Control::TabGeneral) look |= A_REVERSE;
    const int cells = std::min(CellWidth(shown), width_ - 2 - x);
    DrawText(window, 1, x, shown, cells, look);
    areas_[control] = {1, x, 1, cells};
    x += cells + 2;
  }
  mvwhline(window, 2, 1, ACS_HLINE, width_ - 2);
}

void TerminalConfigView::DrawCheckBox(WINDOW* window, Control checkBox, int y, int x) {
  const std::string shown = (checked_[checkBox] ? "[x] " : "[ ] ") + captions_[checkBox];
  const int cells = std::min(CellWidth(shown), width_ - 2 - x);
  DrawText(window, y, x, shown, cells, FocusLook(checkBox));
  areas_[checkBox] = {y, x, 1, cells};
}

void TerminalConfigView::DrawList(WINDOW* window, Control list, Area area) {
  List& shown = lists_[list];
  const int count = static_cast<int>(shown.items.size());
  if (shown.selected) {
    shown.top = std::clamp(shown.top, *shown.selected - area.height + 1, *shown.selected);
  }
  shown.top = std::clamp(shown.top, 0, std::max(0, count - area.height));
  DrawBorder(window, area);
  for (int row = 0; row < area.height && shown.top + row < count; ++row) {
    const int entry = shown.top + row;
    std::string text = shown.items[static_cast<std::size_t>(entry)];
    if (list == Control::lstVisiblity) text = (shown.checks[static_cast<std::size_t>(entry)] ? "[x] " : "[ ] ") + text;
    attr_t look = A_NORMAL;
    if (shown.selected == entry) look = focus_ == list ? A_REVERSE : A_BOLD;
    DrawText(window, area.y + row, area.x, text, area.width - 1, look);
  }
  if (shown.top > 0) mvwaddch(window, area.y, area.x + area.width - 1, ACS_UARROW);
  if (shown.top + area.height < count) mvwaddch(window, area.y + area.height - 1, area.x + area.width - 1, ACS_DARROW);
  areas_[list] = area;
}

void TerminalConfigView::DrawBox(WINDOW* window, Control box, Area area) {
  DrawText(window, area.y, area.x, "[" + std::string(static_cast<std::size_t>(area.width - 3), ' ') + "]", area.width);
  DrawText(window, area.y, area.x + 1, texts_[box], area.width - 3, FocusLook(box));
  mvwaddch(window, area.y, area.x + area.width - 1, ACS_DARROW);
  areas_[box] = area;
}

void TerminalConfigView::DrawSample(WINDOW* window) {
  DrawBorder(window, sampleArea_, captions_[Control::Label4]);
  attr_t look = A_NORMAL;
  if (sampleFont_.bold) look |= A_BOLD;
  if (sampleFont_.italic) look |= A_ITALIC;
  for (const Printed& text : printed_) {
    const int row = static_cast<int>(std::lround(text.y));
    const int column = static_cast<int>(std::lround(text.x));
    if (row < 0 || row >= sampleArea_.height || column >= sampleArea_.width) continue;
    DrawText(window, sampleArea_.y + row, sampleArea_.x + column, text.text, sampleArea_.width - column, look);
  }
}

void TerminalConfigView::DrawGeneralTab(WINDOW* window) {
  DrawCheckBox(window, Control::chkCommentStyle, kTabTop, 2);
  DrawCheckBox(window, Control::chkCellSpotter, kTabTop + 1, 2);
  DrawCheckBox(window, Control::chkFormula, kTabTop + 2, 2);
  DrawText(window, kTabTop + 4, 2, captions_[Control::Label5], width_ - 4);
  DrawList(window, Control::lstVisiblity, {kTabTop + 6, 3, height_ - 4 - (kTabTop + 6), width_ - 6});
}

void TerminalConfigView::DrawFontTab(WINDOW* window) {
  DrawCheckBox(window, Control::chkBeforeSave, kTabTop, 2);
  DrawBorder(window, {kTabTop + 3, 3, height_ - 4 - (kTabTop + 3), width_ - 6}, captions_[Control::Frame1]);
  const int third = (width_ - 8) / 3;
  DrawCheckBox(window, Control::chkFontName, kTabTop + 3, 4);
  DrawCheckBox(window, Control::chkFontStyle, kTabTop + 3, 4 + third);
  DrawCheckBox(window, Control::chkFontSize, kTabTop + 3, 4 + 2 * third);
  DrawText(window, kTabTop + 5, 4, captions_[Control::Label1], fontListWidth_ + 2);
  DrawText(window, kTabTop + 5, styleX_, captions_[Control::Label2], kStyleWidth + 2);
  DrawText(window, kTabTop + 5, sizeX_, captions_[Control::Label3], width_ - 4 - sizeX_);
  DrawList(window, Control::lstFont, {kTabTop + 7, 5, height_ - 6 - (kTabTop + 7), fontListWidth_});
  DrawBox(window, Control::cmbStyle, {kTabTop + 6, styleX_, 1, kStyleWidth});
  DrawBox(window, Control::cmbSize, {kTabTop + 6, sizeX_, 1, kSizeWidth + 3});
  DrawSample(window);
}

void TerminalConfigView::DrawButtons(WINDOW* window) {
  int x = width_ - 2;
  for (const Control button : {Control::cmdApply, Control::cmdCancel, Control::cmdOK}) {
    const std::string shown = "< " + captions_[button] + " >";
    x -= CellWidth(shown);
    DrawText(window, height_ - 2, x, shown, CellWidth(shown), FocusLook(button));
    areas_[button] = {height_ - 2, x, 1, CellWidth(shown)};
    x -= 2;
  }
}

}  // namespace tabulara::platform::posix::terminal
