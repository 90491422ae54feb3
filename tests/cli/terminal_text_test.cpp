#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/terminal_text.h"

namespace tabulara::cli {
namespace {

struct Case {
  std::string text;
  std::string line;
  std::string lines;
};

TEST(TerminalTextTest, EscapesControlCharactersAndBrokenUtf8AndKeepsEverythingElse) {
  const std::vector<Case> cases{
      {"plain \xC3\xA9t\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80", "plain \xC3\xA9t\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80",
       "plain \xC3\xA9t\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80"},
      {"\x1B]0;title\x07", "\\x1b]0;title\\x07", "\\x1b]0;title\\x07"},
      {"a\tb\x7F\x01", "a\\x09b\\x7f\\x01", "a\\x09b\\x7f\\x01"},
      {"csi \xC2\x9B" "31m nbsp \xC2\xA0", "csi \\x9b31m nbsp \xC2\xA0", "csi \\x9b31m nbsp \xC2\xA0"},
      {"one\r\ntwo\rthree\nfour", "one\\x0d\\x0atwo\\x0dthree\\x0afour", "one\ntwo\nthree\nfour"},
      {"bad \x9B \xC3 \xE6\x97 \xED\xA0\x80", "bad \\x9b \\xc3 \\xe6\\x97 \\xed\\xa0\\x80",
       "bad \\x9b \\xc3 \\xe6\\x97 \\xed\\xa0\\x80"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TerminalText(c.text), c.line) << c.text;
    EXPECT_EQ(TerminalLines(c.text), c.lines) << c.text;
  }
}

}  // namespace
}  // namespace tabulara::cli
