#include <gtest/gtest.h>

#include "xlsx/structure_files.h"
#include "xlsx/workbook_file.h"

namespace tabulara::xlsx {
namespace {

using testing::CorpusWorkbooks;
using testing::PartsOf;
using testing::ScratchFolder;

// Names the parts that differ, for the failure message.
std::string Differences(const std::map<std::string, std::string>& original,
                        const std::map<std::string, std::string>& saved) {
  std::string differences;
  for (const auto& [name, bytes] : original) {
    const auto found = saved.find(name);
    if (found == saved.end()) differences += " missing:" + name;
    else if (found->second != bytes) differences += " changed:" + name;
  }
  for (const auto& [name, bytes] : saved) {
    if (!original.contains(name)) differences += " added:" + name;
  }
  return differences;
}

class StructureRoundTrip : public ::testing::Test {
 protected:
  void SetUp() override {
    if (CorpusWorkbooks().empty()) GTEST_SKIP() << "the shared corpus is not beside the repository";
  }
  ScratchFolder folder_;
};

TEST_F(StructureRoundTrip, EveryCorpusWorkbookSavedUnchangedKeepsEveryPartByteForByte) {
  for (const auto& file : CorpusWorkbooks()) {
    SCOPED_TRACE(file.filename().string());
    const auto saved = folder_ / ("saved-" + file.filename().string());
    try {
      auto workbook = WorkbookFile::Open(file);
      workbook->Save(saved);
    } catch (const std::exception& error) {
      ADD_FAILURE() << error.what();
      continue;
    }
    EXPECT_EQ(Differences(PartsOf(file), PartsOf(saved)), "");
  }
}

TEST_F(StructureRoundTrip, SavingOverTheOpenFileItselfKeepsItsParts) {
  const auto original = CorpusWorkbooks().front();
  const auto copy = folder_ / original.filename().string();
  std::filesystem::copy_file(original, copy);
  auto workbook = WorkbookFile::Open(copy);
  workbook->Save(copy);
  workbook->Save(copy);
  EXPECT_EQ(Differences(PartsOf(original), PartsOf(copy)), "");
  EXPECT_EQ(workbook->workbook()->name, original.filename().string());
}

TEST_F(StructureRoundTrip, AFailedSaveLeavesTheTargetAsItWas) {
  const auto original = CorpusWorkbooks().front();
  auto workbook = WorkbookFile::Open(original);
  EXPECT_ANY_THROW(workbook->Save(folder_ / "no-such-folder" / "book.xlsx"));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "no-such-folder"));
}

}  // namespace
}  // namespace tabulara::xlsx
