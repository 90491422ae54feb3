#include <gtest/gtest.h>

#include <sstream>

#include "addin/globals.h"
#include "cli/terminal_message_boxes.h"
#include "platform/platform.h"

namespace tabulara::cli {
namespace {

using platform::posix::MessageBoxRequest;

constexpr int kYesNoQuestion = platform::vbYesNo | platform::vbQuestion;

class TerminalMessageBoxesTest : public ::testing::Test {
 protected:
  TerminalMessageBoxes Boxes(Answer answer, bool terminal = false) {
    return TerminalMessageBoxes(answer, input, output, terminal);
  }
  std::istringstream input;
  std::ostringstream output;
};

TEST_F(TerminalMessageBoxesTest, ShowsTitleAndTextWithItsLineBreaks) {
  auto boxes = Boxes(Answer::AskOnTerminal);
  EXPECT_EQ(boxes.Show({"first\r\nsecond\r\n\r\nlast\rend", platform::vbInformation, "Grid Wright"}), platform::vbOK);
  EXPECT_EQ(boxes.Show({"no title", platform::vbOKOnly, std::nullopt}), platform::vbOK);
  EXPECT_EQ(output.str(), "Grid Wright: first\nsecond\n\nlast\nend\nTabulara: no title\n");
}

TEST_F(TerminalMessageBoxesTest, QuestionTakesTheGivenAnswerAndTellsIt) {
  EXPECT_EQ(Boxes(Answer::Yes).Show({"Sure?", kYesNoQuestion | platform::vbDefaultButton2, {}}), platform::vbYes);
  auto boxes = Boxes(Answer::No, true);
  EXPECT_EQ(boxes.Show({"Sure?", kYesNoQuestion, {}}), platform::vbNo);
  boxes.AnswerNext(Answer::Yes);
  EXPECT_EQ(boxes.Show({"Sure?", kYesNoQuestion, {}}), platform::vbYes);
  EXPECT_EQ(output.str(),
            "Tabulara: Sure?\n\u2192 Yes (--yes)\n"
            "Tabulara: Sure?\n\u2192 No (--no)\n"
            "Tabulara: Sure?\n\u2192 Yes (answer yes)\n");
}

TEST_F(TerminalMessageBoxesTest, QuestionWithoutTerminalTakesTheDefaultButtonAndTellsIt) {
  input.str("n\n");
  auto boxes = Boxes(Answer::AskOnTerminal);
  EXPECT_EQ(boxes.Show({"Sure?", kYesNoQuestion, {}}), platform::vbYes);
  EXPECT_EQ(boxes.Show({"Sure?", kYesNoQuestion | platform::vbDefaultButton2, {}}), platform::vbNo);
  EXPECT_EQ(output.str(), "Tabulara: Sure?\n\u2192 Yes (default)\nTabulara: Sure?\n\u2192 No (default)\n");
}

TEST_F(TerminalMessageBoxesTest, QuestionOnATerminalAsksUntilAnswered) {
  input.str("maybe\nN\n\n");
  auto boxes = Boxes(Answer::AskOnTerminal, true);
  EXPECT_EQ(boxes.Show({"Sure?", kYesNoQuestion, {}}), platform::vbNo);
  EXPECT_EQ(output.str(), "Tabulara: Sure?\nYes or No? [Y/n] Yes or No? [Y/n] ");
  // An empty line, and the end of the input, take the default button.
  EXPECT_EQ(boxes.Show({"Sure?", kYesNoQuestion | platform::vbDefaultButton2, {}}), platform::vbNo);
  EXPECT_EQ(boxes.Show({"Sure?", kYesNoQuestion, {}}), platform::vbYes);
}

TEST_F(TerminalMessageBoxesTest, CountsErrorReportsAndLoadErrorsOnly) {
  addin::gAppError = "Error!";
  auto boxes = Boxes(Answer::AskOnTerminal);
  boxes.Show({"Load error\r\nType mismatch", platform::vbCritical, "Tabulara"});
  boxes.Show({"Error!\r\n\r\nMethod failed", platform::vbExclamation, "Tabulara"});
  EXPECT_EQ(boxes.TakeReportedErrors(), 2);
  EXPECT_EQ(boxes.TakeReportedErrors(), 0);

  boxes.Show({"Error!\r\n\r\nnot a report", platform::vbInformation, "Tabulara"});
  boxes.Show({"Load error\r\nwithout its icon", platform::vbExclamation, "Tabulara"});
  boxes.Show({"The index sheet exists.", platform::vbExclamation, "Tabulara"});
  EXPECT_EQ(boxes.TakeReportedErrors(), 0);
}

}  // namespace
}  // namespace tabulara::cli
