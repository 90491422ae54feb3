#include "platform/posix/terminal/message_box_window.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/terminal/curses_screen.h"

namespace tabulara::platform::posix::terminal {
int ShowMessageBoxWindow(const MessageBoxRequest& request) {
  CursesScreen screen;
  const bool yesNo = (request.flags & 0xF) == vbYesNo;
  const std::vector<std::pair<std::string, int>> buttons =
      yesNo ? std::vector<std::pair<std::string, int>>{{"Yes", vbYes}, {"No", vbNo}}
            : std::vector<std::pair<std::string, int>>{{"OK", vbOK}};
  std::size_t focus = DefaultAnswer(request.flags) == vbNo ? 1 : 0;
  const std::string title = request.title.value_or(kDefaultMessageBoxTitle);

  const int textCells = std::max(20, COLS - 8);
  const std::vector<std::string> lines = WrappedLines(request.text, textCells);
  int width = std::max(CellWidth(title) + 6, 20);
  for (const std::string& line : lines) width = std::max(width, CellWidth(line) + 4);
  width = std::min(width, COLS);
  const int height = std::min(static_cast<int>(lines.size()) + 4, LINES);
  Window window(newwin(height, width, (LINES - height) / 2, (COLS - width) / 2));
  keypad(window.get(), TRUE);

  for (;;) {
    werase(window.get());
    DrawFrame(window.get(), title);
    for (std::size_t i = 0; i < lines.size() && static_cast<int>(i) + 2 < height - 1; ++i) {
      DrawText(window.get(), static_cast<int>(i) + 1, 2, lines[i], width - 4);
    }
    int x = width - 2;
    for (std::size_t i = buttons.size(); i-- > 0;) {
      const std::string shown = "< " + buttons[i].first + " >";
      x -= CellWidth(shown) + 1;
      DrawText(window.get(), height - 2, x, shown, CellWidth(shown), i == focus ? A_REVERSE : A_NORMAL);
    }
    touchwin(window.get());
    wrefresh(window.get());

    const Key key = CursesScreen::ReadKey(window.get());
    if (key.Is(kEnter) || key.Is(kReturn) || key.Is(L' ')) return buttons[focus].second;
    if (key.IsFunction(KEY_EXIT)) return buttons[focus].second;
    if (!yesNo && key.Is(kEscape)) return vbOK;
    if (yesNo && (key.Is(L'y') || key.Is(L'Y'))) return vbYes;
    if (yesNo && (key.Is(L'n') || key.Is(L'N'))) return vbNo;
    if (key.Is(kTab) || key.IsFunction(KEY_BTAB) || key.IsFunction(KEY_LEFT) || key.IsFunction(KEY_RIGHT)) {
      focus = (focus + 1) % buttons.size();
    }
  }
}

}  // namespace tabulara::platform::posix::terminal
