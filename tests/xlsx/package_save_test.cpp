#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <set>

#include "xlsx/package/package.h"
#include "xlsx/structure_files.h"

namespace tabulara::xlsx {
namespace {

using testing::PartsOf;
using testing::ScratchFolder;
using testing::WritePackage;

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

// Opens the package, changes its one part to `text` and saves it to `target`.
void SaveChanged(const std::filesystem::path& source, const std::filesystem::path& target, const std::string& text) {
  Package package = Package::Open(source);
  package.Write("note.txt", text);
  package.Save(target);
}

class PackageSave : public ::testing::Test {
 protected:
  void SetUp() override { WritePackage(book, {{"note.txt", "original"}}); }
  ScratchFolder folder_;
  std::filesystem::path book = folder_ / "book.xlsx";
};

TEST_F(PackageSave, ALinkIsFollowedToTheFileItEndsAtAndStaysALink) {
  std::filesystem::create_directory(folder_ / "sub");
  const std::vector<std::pair<std::string, std::filesystem::path>> links = {
      {"relative", "book.xlsx"},
      {"absolute", book},
      {"chain", "relative"},
      {"sub/up", "../book.xlsx"},
      {"dangling", "sub/new.xlsx"},
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

}  // namespace
}  // namespace tabulara::xlsx
