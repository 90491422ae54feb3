#pragma once

#include <curses.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tabulara::platform::posix::terminal {

// A key the user pressed: a character (wide) or one of curses' KEY_ codes.
struct Key {
  bool function = false;
  wint_t code = 0;

  bool Is(wint_t character) const { return !function && code == character; }
  bool IsFunction(int key) const { return function && code == static_cast<wint_t>(key); }
};

inline constexpr wint_t kEscape = 27;
inline constexpr wint_t kTab = 9;
inline constexpr wint_t kEnter = 10;
inline constexpr wint_t kReturn = 13;

// Colour pairs of the screen.
enum ColourPair : short { kPairBlue = 1, kPairRed = 2, kPairShadow = 3 };

// The terminal as one full-screen curses session, UTF-8 characters, keypad
// keys and the mouse; the terminal comes back as it was when this goes.
// Sessions nest: only the outermost starts and ends curses.
class CursesScreen {
 public:
  CursesScreen();
  ~CursesScreen();
  CursesScreen(const CursesScreen&) = delete;
  CursesScreen& operator=(const CursesScreen&) = delete;

  // Whether a session is open.
  static bool Open();
  static bool HasColours();
  // The next key pressed in `window`, which is shown first.
  static Key ReadKey(WINDOW* window);
};

struct WindowDeleter {
  void operator()(WINDOW* window) const { delwin(window); }
};
// A curses window, deleted when this goes.
using Window = std::unique_ptr<WINDOW, WindowDeleter>;

// How many character cells a UTF-8 text takes on the screen.
int CellWidth(const std::string& text);

// Writes a UTF-8 text at (y, x) of `window`, at most `cells` wide.
void DrawText(WINDOW* window, int y, int x, const std::string& text, int cells, attr_t attributes = A_NORMAL,
              short pair = 0);

// The text's lines (CR LF, LF or CR end one), each broken into pieces at
// most `cells` wide, after a blank where the piece has one.
std::vector<std::string> WrappedLines(const std::string& text, int cells);

// Puts the whole window on the screen, over a blank background.
void ShowWindow(WINDOW* window);

// A frame around the window's edge with a caption in its top line.
void DrawFrame(WINDOW* window, const std::string& caption);

// The mouse event of a KEY_MOUSE, when one was waiting.
std::optional<MEVENT> MouseEvent();

}  // namespace tabulara::platform::posix::terminal
