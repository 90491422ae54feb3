#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <set>

#include "xlsx/package/package.h"
#include "xlsx/package/package_error.h"
#include "xlsx/workbook_files.h"

namespace tabulara::xlsx {
namespace {

using testing::CorpusFile;
using testing::CorpusWorkbooks;
using testing::DifferingParts;
using testing::PartsOf;

std::set<std::string> Entries(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
  return names;
}

struct stat StatusOf(const std::filesystem::path& file) {
  struct stat status {};
  EXPECT_EQ(::stat(file.c_str(), &status), 0) << file;
  return status;
}

class PackageSave : public ::testing::Test {
 protected:
  void SetUp() override { testing::WritePackage(book, {{"note.txt", "original"}}); }

  // Opens the package, changes its one part to `text` and saves it to `target`.
  static void SaveChanged(const std::filesystem::path& source, const std::filesystem::path& target,
                          const std::string& text) {
    Package package = Package::Open(source);
    package.Write("note.txt", text);
    package.Save(target);
  }

  testing::ScratchFolder folder_;
  std::filesystem::path book = folder_ / "book.xlsx";
};

TEST_F(PackageSave, ALinkIsFollowedToTheFileItEndsAtAndStaysALink) {
  std::filesystem::create_directory(folder_ / "sub");
  const std::vector<std::pair<std::string, std::filesystem::path>> links = {
      {"relative", "book.xlsx"}, {"absolute", book},           {"chain", "relative"},
      {"sub/up", "../book.xlsx"}, {"dangling", "sub/new.xlsx"},
  };
  for (const auto& [name, target] : links) std::filesystem::create_symlink(target, folder_ / name);
  const std::set<std::string> before = Entries(folder_ / "");

  for (const auto& [name, target] : links) {
    SCOPED_TRACE(name);
    SaveChanged(book, folder_ / name, name);
    EXPECT_TRUE(std::filesystem::is_symlink(folder_ / name));
    EXPECT_EQ(std::filesystem::read_symlink(folder_ / name), target);
    const auto written = name == "dangling" ? folder_ / "sub/new.xlsx" : book;
    EXPECT_EQ(PartsOf(written).at("note.txt"), name);
  }
  EXPECT_EQ(Entries(folder_ / ""), before);
  EXPECT_EQ(Entries(folder_ / "sub"), (std::set<std::string>{"new.xlsx", "up"}));
}

TEST_F(PackageSave, SavingInPlaceKeepsModeOwnerAndGroupAndANewFileFollowsTheUmask) {
  // Root can give the file to another user; anyone else keeps their own.
  const uid_t owner = ::geteuid() == 0 ? 65534 : ::geteuid();
  const gid_t group = ::geteuid() == 0 ? 65534 : ::getegid();
  for (const mode_t mode : {0600, 0640, 0664}) {
    SCOPED_TRACE(mode);
    ASSERT_EQ(::chmod(book.c_str(), mode), 0);
    ASSERT_EQ(::chown(book.c_str(), owner, group), 0);
    SaveChanged(book, book, "in place");
    const struct stat status = StatusOf(book);
    EXPECT_EQ(status.st_mode & 07777, mode);
    EXPECT_EQ(status.st_uid, owner);
    EXPECT_EQ(status.st_gid, group);
  }

  const mode_t umask = ::umask(027);
  SaveChanged(book, folder_ / "new.xlsx", "new");
  ::umask(umask);
  const struct stat status = StatusOf(folder_ / "new.xlsx");
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  EXPECT_EQ(status.st_uid, ::geteuid());
}

TEST_F(PackageSave, ANameAsLongAsTheSystemTakesIsSavedNewAndInPlace) {
  const auto longest = folder_ / (std::string(245, 'n') + ".xlsx");
  SaveChanged(book, longest, "new");
  SaveChanged(longest, longest, "in place");
  EXPECT_EQ(PartsOf(longest).at("note.txt"), "in place");
  EXPECT_EQ(Entries(folder_ / ""), (std::set<std::string>{"book.xlsx", longest.filename()}));
}

TEST_F(PackageSave, EveryCorpusWorkbookSavedUnchangedKeepsEveryPartByteForByte) {
  if (CorpusWorkbooks().empty()) GTEST_SKIP() << "the shared corpus is not beside the repository";
  for (const auto& file : CorpusWorkbooks()) {
    SCOPED_TRACE(file.filename().string());
    const auto saved = folder_ / file.filename().string();
    try {
      WorkbookFile::Open(file)->Save(saved);
    } catch (const std::exception& error) {
      ADD_FAILURE() << error.what();
      continue;
    }
    EXPECT_THAT(DifferingParts(PartsOf(file), PartsOf(saved)), ::testing::IsEmpty());
  }

  // Saved twice over the open file itself; a failed save leaves nothing behind.
  const auto original = CorpusWorkbooks().front();
  const auto copy = folder_ / "copy.xlsx";
  std::filesystem::copy_file(original, copy);
  auto workbook = WorkbookFile::Open(copy);
  workbook->Save(copy);
  workbook->Save(copy);
  EXPECT_THAT(DifferingParts(PartsOf(original), PartsOf(copy)), ::testing::IsEmpty());
  EXPECT_EQ(workbook->workbook()->name, "copy.xlsx");
  EXPECT_ANY_THROW(workbook->Save(folder_ / "no-such-folder" / "book.xlsx"));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "no-such-folder"));
}

// A package under a name of another kind is one that a spreadsheet program
// will not open; the file already there is kept.
TEST_F(PackageSave, TheExtensionMustBeTheOneOfTheWorkbooksKind) {
  if (CorpusWorkbooks().empty()) GTEST_SKIP() << "the shared corpus is not beside the repository";
  const struct {
    const char* source;
    const char* target;
    // The message of the refusal; empty when the name fits.
    const char* refusal;
  } cases[] = {
      {"excel_internal_hyperlinks.xlsx", "legacy.xls",
       ": not written: the workbook is saved as an .xlsx file, so its name must end in .xlsx (-o NAME.xlsx)"},
      {"excel_macro.xlsm", "macro.xlsx",
       ": not written: the macro-enabled workbook is saved as an .xlsm file, so its name must end in .xlsm "
       "(-o NAME.xlsm)"},
      {"excel_template_minimal.xltx", "template.xlsx",
       ": not written: the template is saved as an .xltx file, so its name must end in .xltx (-o NAME.xltx)"},
      {"excel_internal_hyperlinks.xlsx", "no-extension",
       ": not written: the workbook is saved as an .xlsx file, so its name must end in .xlsx (-o NAME.xlsx)"},
      {"excel_macro.xlsm", "MACRO.XLSM", ""},
      {"excel_template_minimal.xltx", "copy.xltx", ""},
  };
  for (const auto& [source, target, refusal] : cases) {
    SCOPED_TRACE(target);
    const auto file = folder_ / target;
    std::ofstream(file) << "kept";
    auto workbook = WorkbookFile::Open(CorpusFile(source));
    if (*refusal == '\0') {
      EXPECT_NO_THROW(workbook->Save(file));
      EXPECT_NE(testing::BytesOf(file), "kept");
      continue;
    }
    try {
      workbook->Save(file);
      ADD_FAILURE() << "written";
    } catch (const PackageError& error) {
      EXPECT_EQ(error.what(), file.string() + refusal);
    }
    EXPECT_EQ(testing::BytesOf(file), "kept") << "written over";
  }
}

}  // namespace
}  // namespace tabulara::xlsx
