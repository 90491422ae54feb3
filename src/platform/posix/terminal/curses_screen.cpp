#include "platform/posix/terminal/curses_screen.h"

#include <langinfo.h>

#include <clocale>
#include <cstring>
#include <cwchar>
#include <utility>

namespace tabulara::platform::posix::terminal {
namespace {

int openSessions = 0;
std::string savedLocale;
bool colours = false;

// Text for the screen: captions are UTF-8 whatever the user's locale says.
void UseUtf8Characters() {
  savedLocale = std::setlocale(LC_CTYPE, nullptr);
  if (std::setlocale(LC_CTYPE, "") && std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0) return;
  std::setlocale(LC_CTYPE, "C.UTF-8");
}

std::wstring Wide(const std::string& text) {
  std::wstring wide;
  std::mbstate_t state{};
  const char* next = text.data();
  const char* end = text.data() + text.size();
  while (next < end) {
    wchar_t character = 0;
    const std::size_t used = std::mbrtowc(&character, next, static_cast<std::size_t>(end - next), &state);
    if (used == static_cast<std::size_t>(-1) || used == static_cast<std::size_t>(-2)) {
      wide += L'\uFFFD';
      state = {};
      ++next;
      continue;
    }
    wide += character == L'\0' ? L' ' : character;
    next += used == 0 ? 1 : used;
  }
  return wide;
}

int CharacterWidth(wchar_t character) {
  const int width = wcwidth(character);
  return width < 0 ? 1 : width;
}

}  // namespace

CursesScreen::CursesScreen() {
  if (openSessions++ > 0) return;
  UseUtf8Characters();
  set_escdelay(25);
  initscr();
  cbreak();
  noecho();
  nonl();
  keypad(stdscr, TRUE);
  curs_set(0);
  mousemask(ALL_MOUSE_EVENTS | REPORT_MOUSE_POSITION, nullptr);
  mouseinterval(0);
  colours = has_colors();
  if (colours) {
    start_color();
    use_default_colors();
    init_pair(kPairBlue, COLOR_BLUE, -1);
    init_pair(kPairRed, COLOR_RED, -1);
    init_pair(kPairShadow, COLOR_BLACK, -1);
  }
}

CursesScreen::~CursesScreen() {
  if (--openSessions > 0) return;
  endwin();
  std::setlocale(LC_CTYPE, savedLocale.c_str());
}

bool CursesScreen::Open() { return openSessions > 0; }

bool CursesScreen::HasColours() { return colours; }

Key CursesScreen::ReadKey(WINDOW* window) {
  wint_t code = 0;
  const int kind = wget_wch(window, &code);
  if (kind == ERR) return {true, static_cast<wint_t>(KEY_EXIT)};
  return {kind == KEY_CODE_YES, code};
}

int CellWidth(const std::string& text) {
  int width = 0;
  for (const wchar_t character : Wide(text)) width += CharacterWidth(character);
  return width;
}

void DrawText(WINDOW* window, int y, int x, const std::string& text, int cells, attr_t attributes, short pair) {
  std::wstring shown;
  int width = 0;
  for (const wchar_t character : Wide(text)) {
    const int characterWidth = CharacterWidth(character);
    if (width + characterWidth > cells) break;
    shown += character;
    width += characterWidth;
  }
  wattr_set(window, attributes, colours ? pair : 0, nullptr);
  mvwaddwstr(window, y, x, shown.c_str());
  wattr_set(window, A_NORMAL, 0, nullptr);
}

std::vector<std::string> WrappedLines(const std::string& text, int cells) {
  const auto continues = [](char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; };
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (text[i] == '\n' || text[i] == '\r') {
      lines.push_back(std::exchange(line, {}));
      continue;
    }
    std::size_t end = i + 1;
    while (end < text.size() && continues(text[end])) ++end;
    const std::size_t length = end - i;
    line += text.substr(i, length);
    i = end - 1;
    if (CellWidth(line) <= cells || line.size() == length) continue;
    const std::size_t blank = line.find_last_of(' ', line.size() - length - 1);
    const std::size_t cut = blank == std::string::npos || blank == 0 ? line.size() - length : blank + 1;
    lines.push_back(line.substr(0, cut));
    line.erase(0, cut);
  }
  lines.push_back(line);
  return lines;
}

void ShowWindow(WINDOW* window) {
  touchwin(stdscr);
  wnoutrefresh(stdscr);
  touchwin(window);
  wnoutrefresh(window);
  doupdate();
}

void DrawFrame(WINDOW* window, const std::string& caption) {
  box(window, 0, 0);
  DrawText(window, 0, 2, " " + caption + " ", getmaxx(window) - 4, A_BOLD);
}

std::optional<MEVENT> MouseEvent() {
  MEVENT event{};
  if (getmouse(&event) != OK) return std::nullopt;
  return event;
}

}  // namespace tabulara::platform::posix::terminal
