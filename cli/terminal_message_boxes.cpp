#include "cli/terminal_message_boxes.h"

#include <istream>
#include <ostream>
#include <utility>

#include "addin/globals.h"
#include "cli/terminal_text.h"
#include "platform/platform.h"
#include "platform/posix/terminal/curses_screen.h"
#include "platform/posix/terminal/message_box_window.h"

namespace tabulara::cli {
namespace {

constexpr int kButtonsMask = 0xF;
constexpr int kIconMask = 0xF0;

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

}  // namespace

TerminalMessageBoxes::TerminalMessageBoxes(Answer answer, std::istream& input, std::ostream& output,
                                           bool inputIsTerminal)
    : answer_(answer), input_(input), output_(output), inputIsTerminal_(inputIsTerminal) {}

int TerminalMessageBoxes::Show(const platform::posix::MessageBoxRequest& request) {
  if (IsErrorReport(request)) ++reportedErrors_;
  if (platform::posix::terminal::CursesScreen::Open()) return platform::posix::terminal::ShowMessageBoxWindow(request);
  const std::string title = request.title.value_or(platform::posix::kDefaultMessageBoxTitle);
  output_ << TerminalText(title) << ": " << TerminalLines(request.text) << '\n' << std::flush;
  if ((request.flags & kButtonsMask) != platform::vbYesNo) return platform::vbOK;
  return Ask(request.flags);
}

int TerminalMessageBoxes::TakeReportedErrors() { return std::exchange(reportedErrors_, 0); }

bool TerminalMessageBoxes::IsErrorReport(const platform::posix::MessageBoxRequest& request) const {
  const int icon = request.flags & kIconMask;
  if (icon == platform::vbCritical && StartsWith(request.text, "Load error\r\n")) return true;
  return icon == platform::vbExclamation && StartsWith(request.text, addin::gAppError + "\r\n\r\n");
}

int TerminalMessageBoxes::Taken(int answer, const char* source) {
  output_ << "\u2192 " << (answer == platform::vbYes ? "Yes" : "No") << " (" << source << ")\n" << std::flush;
  return answer;
}

int TerminalMessageBoxes::Ask(int flags) {
  const bool forNext = nextAnswer_.has_value();
  const Answer answer = nextAnswer_.value_or(answer_);
  nextAnswer_.reset();
  if (answer == Answer::Yes) return Taken(platform::vbYes, forNext ? "answer yes" : "--yes");
  if (answer == Answer::No) return Taken(platform::vbNo, forNext ? "answer no" : "--no");
  const int fallback = platform::posix::DefaultAnswer(flags);
  if (!inputIsTerminal_) return Taken(fallback, "default");
  for (;;) {
    output_ << (fallback == platform::vbYes ? "Yes or No? [Y/n] " : "Yes or No? [y/N] ") << std::flush;
    std::string line;
    if (!std::getline(input_, line)) return fallback;
    if (line.empty()) return fallback;
    if (line == "y" || line == "Y" || line == "yes" || line == "Yes") return platform::vbYes;
    if (line == "n" || line == "N" || line == "no" || line == "No") return platform::vbNo;
  }
}

}  // namespace tabulara::cli
