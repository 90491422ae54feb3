#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <optional>
#include <thread>

#include "xlsx/compound_files.h"
#include "xlsx/legacy/legacy_workbook.h"
#include "xlsx/package/input_file.h"
#include "xlsx/package/package_error.h"
#include "xlsx/structure/workbook_io.h"
#include "xlsx/structure_files.h"
#include "xlsx/system/file_descriptor.h"

namespace tabulara::xlsx {
namespace {

using testing::CompoundFileWithStreams;
using testing::ScratchFolder;

template <class Read>
std::string ErrorOf(Read read) {
  try {
    read();
  } catch (const PackageError& error) {
    return error.what();
  }
  return "(read)";
}

std::string ReadError(const std::filesystem::path& file) {
  return ErrorOf([&] { ReadWorkbookParts(file); });
}

// An environment variable set for the life of this, then put back.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::string& value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedVariable() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

struct CompoundCase {
  const char* file;
  std::string bytes;
  const char* message;
};

// None of these reaches soffice, so they hold with or without it; a Word
// document or random bytes were once converted to a sheet of text.
TEST(OddInputFiles, CompoundFilesWithoutAReadableWorkbookAreRefusedAsWhatTheyAre) {
  ScratchFolder folder;
  const std::string signature("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
  const CompoundCase cases[] = {
      {"damaged.xls", signature + std::string(2000, '\x5A'),
       "is a damaged OLE2 compound file (its directory cannot be read), not a workbook"},
      {"letter.xls", CompoundFileWithStreams({"WordDocument", "1Table"}),
       "is an OLE2 compound file that holds no workbook (another Office document, such as a .doc)"},
      {"secret.xlsx", CompoundFileWithStreams({"EncryptionInfo", "EncryptedPackage"}),
       "is encrypted (password-protected), which cannot be read; remove the password in a spreadsheet program "
       "and save it again"},
  };
  for (const auto& [name, bytes, message] : cases) {
    const auto file = folder / name;
    std::ofstream(file, std::ios::binary) << bytes;
    EXPECT_EQ(ReadError(file), file.string() + ": " + message);
  }
}

TEST(OddInputFiles, FoldersDevicesAndSocketsAreNamed) {
  ScratchFolder folder;
  const auto socketPath = folder / "socket";
  const FileDescriptor socket(::socket(AF_UNIX, SOCK_STREAM, 0));
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  socketPath.string().copy(address.sun_path, sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(socket.get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  const std::pair<std::filesystem::path, std::string> cases[] = {
      {folder / "", "a folder"}, {"/dev/null", "a character device"}, {socketPath, "a socket"}};
  for (const auto& [file, kind] : cases) {
    EXPECT_EQ(ReadError(file), file.string() + ": is " + kind + ", not a workbook file");
  }
}

TEST(OddInputFiles, ANamedPipeWithoutDataIsGivenUp) {
  ScratchFolder folder;
  const auto pipe = folder / "pipe.xlsx";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(ErrorOf([&] { ReadInputFile(pipe, 1 << 20, std::chrono::seconds(1)); }),
            pipe.string() + ": is a pipe, and nothing was written to it within 1 s");
}

bool Running(pid_t process) {
  std::ifstream stat("/proc/" + std::to_string(process) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return false;
  const auto state = line.find(") ");
  return state != std::string::npos && line.at(state + 2) != 'Z';
}

// A stand-in for soffice that never ends, nor does the program it starts.
TEST(OddInputFiles, AConversionPastItsTimeLimitIsEndedWithWhatItStarted) {
  ScratchFolder folder;
  const auto programs = folder / "programs";
  std::filesystem::create_directories(programs);
  const auto started = folder / "started";
  std::ofstream(programs / "soffice") << "#!/bin/sh\n/bin/sleep 60 &\necho $! > '" << started.string() << "'\nwait\n";
  std::filesystem::permissions(programs / "soffice", std::filesystem::perms::owner_all);
  const auto temporaries = folder / "tmp";
  std::filesystem::create_directories(temporaries);
  const ScopedVariable path("PATH", programs.string());
  const ScopedVariable tmpdir("TMPDIR", temporaries.string());

  EXPECT_EQ(ErrorOf([] { PackageOfCompoundFile(CompoundFileWithStreams({"Workbook"}), std::chrono::seconds(1)); }),
            "is a legacy binary workbook (Excel 97-2003 format) that soffice did not convert within 1 s; save it as "
            "an .xlsx workbook");
  pid_t sleeper = 0;
  std::ifstream(started) >> sleeper;
  ASSERT_GT(sleeper, 0);
  // A killed process may take a moment to die.
  for (int wait = 0; wait < 100 && Running(sleeper); ++wait) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_FALSE(Running(sleeper));
  EXPECT_TRUE(std::filesystem::is_empty(temporaries));
}

}  // namespace
}  // namespace tabulara::xlsx
