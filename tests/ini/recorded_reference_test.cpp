// Our engine against the results of the real profile functions recorded in
// tests/data/ini/expected.txt (tests/ini/record-reference records them).

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "ini/engine_runner.h"
#include "ini/reference_case.h"
#include "ini/scratch_folder.h"

namespace tabulara::test {
namespace {

const std::filesystem::path kData = std::filesystem::path(TABULARA_TEST_DATA) / "ini";

// Empty when the recording cannot be read; RecordingMatchesTheCaseList then
// tells why.
std::vector<RecordedCase> Recording() {
  try {
    return ReadRecording(kData / "expected.txt");
  } catch (const std::exception&) {
    return {};
  }
}

std::string TestName(const testing::TestParamInfo<RecordedCase>& info) {
  std::string name = info.param.call.name;
  std::replace_if(name.begin(), name.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
  return name;
}

TEST(RecordedReference, RecordingMatchesTheCaseList) {
  const auto cases = ReadCaseList(kData / "cases.txt");
  const auto recording = ReadRecording(kData / "expected.txt");
  ASSERT_EQ(recording.size(), cases.size()) << "cases.txt changed: run tests/ini/record-reference";
  for (std::size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(recording[i].call.line, cases[i].line) << "cases.txt changed: run tests/ini/record-reference";
  }
}

class RecordedCaseTest : public testing::TestWithParam<RecordedCase> {};

TEST_P(RecordedCaseTest, EngineGivesWhatWindowsGave) {
  const RecordedCase& recorded = GetParam();
  const ScratchFolder scratch;
  EXPECT_EQ(RunOnEngine(recorded.call, kData / "corpus", scratch.path()), recorded.result)
      << "case " << recorded.call.name << ": " << recorded.call.line;
}

INSTANTIATE_TEST_SUITE_P(Corpus, RecordedCaseTest, testing::ValuesIn(Recording()), TestName);

}  // namespace
}  // namespace tabulara::test
