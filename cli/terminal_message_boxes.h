#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "platform/posix/message_boxes.h"

namespace tabulara::cli {

// How the command answers a Yes/No question.
enum class Answer { AskOnTerminal, Yes, No };

// Message boxes in a window over a dialog shown on the terminal, else on
// standard error as "TITLE: TEXT", the text's own line
// breaks kept and its control characters escaped. A Yes/No question takes the given answer, else is asked when
// standard input is a terminal, else takes the box's default button; an
// answer not typed is told after the question ("→ Yes (--yes)"). The
// add-in's error reports and its "Load error" box are counted.
class TerminalMessageBoxes {
 public:
  TerminalMessageBoxes(Answer answer, std::istream& input, std::ostream& output, bool inputIsTerminal);

  int Show(const platform::posix::MessageBoxRequest& request);
  // The answer to the next question only.
  void AnswerNext(Answer answer) { nextAnswer_ = answer; }
  // Errors reported since the last call.
  int TakeReportedErrors();

 private:
  bool IsErrorReport(const platform::posix::MessageBoxRequest& request) const;
  int Ask(int flags);
  // Tells the answer that no one typed and where it came from: "→ No
  // (default)".
  int Taken(int answer, const char* source);

  Answer answer_;
  std::optional<Answer> nextAnswer_;
  std::istream& input_;
  std::ostream& output_;
  bool inputIsTerminal_;
  int reportedErrors_ = 0;
};

}  // namespace tabulara::cli
