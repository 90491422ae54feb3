#include "platform/posix/terminal/terminal_about_view.h"

#include <algorithm>
#include <vector>

namespace tabulara::platform::posix::terminal {
namespace {

constexpr int kWidth = 64;

short PairOf(long color) {
  if (color == kLinkBlue) return kPairBlue;
  if (color == kLinkRed) return kPairRed;
  return 0;
}

}  // namespace

void TerminalAboutView::SetUnderline(AboutControl control, bool underline) { looks_[control].underline = underline; }

void TerminalAboutView::SetForeColor(AboutControl control, long color) { looks_[control].color = color; }

void TerminalAboutView::Draw(WINDOW* window) {
  const int width = getmaxx(window);
  const int cells = width - 4;
  werase(window);
  DrawFrame(window, captions_[AboutControl::Form]);
  int y = 2;
  const auto paragraph = [&](AboutControl control, attr_t attributes = A_NORMAL) {
    for (const std::string& line : WrappedLines(captions_[control], cells)) DrawText(window, y++, 2, line, cells, attributes);
  };
  paragraph(AboutControl::lblVersion, A_BOLD);
  paragraph(AboutControl::Label1);
  ++y;
  paragraph(AboutControl::Label2);
  ++y;
  paragraph(AboutControl::Label3);
  const Look link = looks_[AboutControl::lblAddress];
  attr_t linkAttributes = link.underline ? A_UNDERLINE : A_NORMAL;
  if (focus_ == AboutControl::lblAddress && !CursesScreen::HasColours()) linkAttributes |= A_BOLD;
  linkY_ = y++;
  linkX_ = 2;
  DrawText(window, linkY_, linkX_, captions_[AboutControl::lblAddress], cells, linkAttributes, PairOf(link.color));
  const std::string ok = "< " + captions_[AboutControl::cmdOK] + " >";
  okY_ = y + 1;
  okX_ = width - 2 - CellWidth(ok);
  DrawText(window, okY_, okX_, ok, CellWidth(ok), focus_ == AboutControl::cmdOK ? A_REVERSE : A_NORMAL);
  wmove(window, focus_ == AboutControl::cmdOK ? okY_ : linkY_, focus_ == AboutControl::cmdOK ? okX_ + 2 : linkX_);
  ShowWindow(window);
}

void TerminalAboutView::Hover(AboutEvents& events, AboutControl control) {
  if (control == hovered_) return;
  hovered_ = control;
  events.MouseMove(control);
}

void TerminalAboutView::Mouse(AboutEvents& events, WINDOW* window) {
  const auto event = MouseEvent();
  if (!event || !wenclose(window, event->y, event->x)) return;
  int y = event->y, x = event->x;
  wmouse_trafo(window, &y, &x, FALSE);
  AboutControl over = AboutControl::Form;
  if (y == linkY_ && x >= linkX_ && x < linkX_ + CellWidth(captions_[AboutControl::lblAddress])) {
    over = AboutControl::lblAddress;
  } else if (y == okY_ && x >= okX_ && x < okX_ + CellWidth(captions_[AboutControl::cmdOK]) + 4) {
    over = AboutControl::cmdOK;
  }
  Hover(events, over);
  if (event->bstate & (BUTTON1_CLICKED | BUTTON1_RELEASED)) events.Click(over);
}

void TerminalAboutView::ShowModal(AboutEvents& events) {
  CursesScreen screen;
  closed_ = false;
  const int width = std::min(kWidth, COLS);
  int lines = 8;
  for (const auto control : {AboutControl::lblVersion, AboutControl::Label1, AboutControl::Label2,
                             AboutControl::Label3}) {
    lines += static_cast<int>(WrappedLines(captions_[control], width - 4).size());
  }
  const int height = std::min(lines, LINES);
  Window window(newwin(height, width, (LINES - height) / 2, (COLS - width) / 2));
  keypad(window.get(), TRUE);
  curs_set(1);
  while (!closed_) {
    Draw(window.get());
    const Key key = CursesScreen::ReadKey(window.get());
    if (key.Is(kEscape) || key.IsFunction(KEY_EXIT)) break;
    if (key.IsFunction(KEY_MOUSE)) {
      Mouse(events, window.get());
    } else if (key.Is(kEnter) || key.Is(kReturn) || key.Is(L' ')) {
      events.Click(focus_);
    } else if (key.Is(kTab) || key.IsFunction(KEY_BTAB) || key.IsFunction(KEY_UP) || key.IsFunction(KEY_DOWN) ||
               key.IsFunction(KEY_LEFT) || key.IsFunction(KEY_RIGHT)) {
      focus_ = focus_ == AboutControl::cmdOK ? AboutControl::lblAddress : AboutControl::cmdOK;
      Hover(events, focus_ == AboutControl::lblAddress ? AboutControl::lblAddress : AboutControl::Form);
    }
  }
  curs_set(0);
}

}  // namespace tabulara::platform::posix::terminal
