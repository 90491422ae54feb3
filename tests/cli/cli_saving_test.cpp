#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <set>
#include <thread>

#include "cli/support/sample_workbook.h"
#include "cli/support/tabulara_run.h"
#include "xlsx/package/package.h"

namespace tabulara::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

std::set<std::string> Entries(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
  return names;
}

std::uint16_t Little16(const std::string& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    static_cast<unsigned char>(bytes[at + 1]) << 8);
}

// The offset of the zip header with `signature` whose name, `nameAt` bytes
// in, is `name`.
std::size_t HeaderOf(const std::string& zip, const std::string& signature, std::size_t nameAt,
                     const std::string& name) {
  for (std::size_t at = zip.find(signature); at != std::string::npos; at = zip.find(signature, at + 1)) {
    if (zip.compare(at + nameAt, name.size(), name) == 0) return at;
  }
  throw std::runtime_error(name + " is not in the zip file");
}

enum class Damage { Checksum, DeflateData };

// The zip file with one part damaged: its checksum in both of its headers,
// or a byte in the middle of its compressed data.
std::string Damaged(std::string zip, const std::string& part, Damage damage) {
  const std::size_t local = HeaderOf(zip, "PK\3\4", 30, part);
  if (damage == Damage::Checksum) {
    zip[local + 14] ^= 0x5a;
    zip[HeaderOf(zip, "PK\1\2", 46, part) + 16] ^= 0x5a;
  } else {
    const std::size_t data = local + 30 + Little16(zip, local + 26) + Little16(zip, local + 28);
    const std::size_t compressed = Little16(zip, local + 18);
    zip[data + compressed / 2] ^= 0xff;
  }
  return zip;
}

class SavingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(folder);
    WriteSampleWorkbook(book);
  }

  // Exit status 2 and one line on standard error that starts so.
  static void ExpectRefused(const ProgramRun& run, const std::string& start) {
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_THAT(run.err, StartsWith("tabulara: error: " + start));
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }

  CliSandbox sandbox;
  std::filesystem::path folder = sandbox.path() / "work";
  std::filesystem::path book = folder / "book.xlsx";
};

TEST_F(SavingTest, APartCopiedAsItIsThatFailsItsChecksumStopsTheSave) {
  const std::string part = "docProps/app.xml";
  for (const Damage damage : {Damage::Checksum, Damage::DeflateData}) {
    for (const bool inPlace : {true, false}) {
      SCOPED_TRACE(::testing::Message() << "damage " << static_cast<int>(damage) << ", in place " << inPlace);
      WriteSampleWorkbook(book);
      const std::string damaged = Damaged(ReadFile(book), part, damage);
      sandbox.Write("work/book.xlsx", damaged);
      const std::string target = inPlace ? "work/book.xlsx" : "work/sorted.xlsx";
      const ProgramRun run = sandbox.Run({"sort-sheets", "work/book.xlsx", "-o", target});
      ExpectRefused(run, target + ": cannot be written (the part " + part + " of work/book.xlsx is damaged: ");
      EXPECT_TRUE(ReadFile(book) == damaged);
      EXPECT_EQ(Entries(folder), std::set<std::string>{"book.xlsx"});
    }
  }
}

TEST_F(SavingTest, TargetsThatAreNoRegularFileAreRefusedAndNothingIsWritten) {
  ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0644), 0);
  std::filesystem::create_directory(folder / "folder");
  const int socketFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const auto socketPath = (folder / "socket").string();
  std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
  const int bound = ::bind(socketFd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  ::close(socketFd);
  ASSERT_EQ(bound, 0);
  std::vector<std::pair<std::string, std::string>> targets = {
      {"pipe", "a named pipe"}, {"folder", "a folder"}, {"socket", "a socket"}};
  if (::mknod((folder / "null").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0) {
    targets.emplace_back("null", "a device");
  }

  const std::set<std::string> before = Entries(folder);
  for (const auto& [name, kind] : targets) {
    SCOPED_TRACE(name);
    for (const std::string& given : {"work/" + name, "work/link-to-" + name}) {
      std::filesystem::create_symlink(name, folder / ("link-to-" + name));
      ExpectRefused(sandbox.Run({"sort-sheets", "work/book.xlsx", "-o", given}),
                    given + ": cannot be written (it is " + kind + ", not a regular file)\n");
      std::filesystem::remove(folder / ("link-to-" + name));
      EXPECT_EQ(Entries(folder), before);
      std::error_code ignored;
      EXPECT_FALSE(std::filesystem::is_regular_file(folder / name, ignored));
    }
  }
}

// The program, started on its own with its standard streams on files of
// the sandbox; waited for when this goes.
class RunningProgram {
 public:
  RunningProgram(const CliSandbox& sandbox, const std::vector<std::string>& arguments) {
    std::vector<std::string> words = {TABULARA_PROGRAM};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    std::vector<std::string> environment = {"TABULARA_HOME=" + sandbox.Home().string(),
                                            "XDG_CONFIG_HOME=" + sandbox.ConfigHome().string(), "LC_ALL=C.UTF-8"};
    std::vector<char*> envp;
    for (std::string& variable : environment) envp.push_back(variable.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    const auto err = (sandbox.path() / ".stderr").string();
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none;
    sigemptyset(&none);
    sigset_t interrupts = none;
    for (const int signal : {SIGINT, SIGTERM}) sigaddset(&interrupts, signal);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &interrupts);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    if (posix_spawn(&pid_, argv[0], &actions, &attributes, argv.data(), envp.data()) != 0) pid_ = -1;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
  }
  ~RunningProgram() {
    if (pid_ > 0) Wait();
  }
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  bool Started() const { return pid_ > 0; }
  void Signal(int signal) const { ::kill(pid_, signal); }
  int Wait() {
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    return status;
  }

 private:
  pid_t pid_ = -1;
};

// A workbook whose sheet "Data" holds so many rows that writing it back
// takes a while; A1 holds blanks for trim-cells to take.
void WriteLargeWorkbook(const std::filesystem::path& file) {
  WriteSampleWorkbook(file);
  std::string rows = R"(<row r="1"><c r="A1" t="inlineStr"><is><t>  padded  </t></is></c></row>)";
  for (int row = 2; row <= 400000; ++row) {
    const std::string number = std::to_string(row);
    rows += "<row r=\"" + number + "\"><c r=\"A" + number + "\"><v>" + number + "</v></c><c r=\"B" + number +
            "\" t=\"inlineStr\"><is><t>row " + number + " of the large sheet</t></is></c></row>";
  }
  auto package = xlsx::Package::Open(file);
  package.Write("xl/worksheets/sheet1.xml",
                R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)" +
                    rows + "</sheetData></worksheet>");
  package.Save(file);
}

TEST_F(SavingTest, AnInterruptedSaveLeavesTheOriginalAndNoTemporary) {
  WriteLargeWorkbook(book);
  const std::string original = ReadFile(book);
  for (const int signal : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(strsignal(signal));
    int status = 0;
    // A save that ends before the signal comes is tried again.
    for (int attempt = 0; attempt < 3; ++attempt) {
      sandbox.Write("work/book.xlsx", original);
      RunningProgram program(sandbox, {"trim-cells", "--sheet", "Data", "--select", "A1", book.string()});
      ASSERT_TRUE(program.Started());
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
      while (Entries(folder).size() == 1 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::microseconds(200));
      }
      program.Signal(signal);
      status = program.Wait();
      if (!WIFEXITED(status)) break;
    }
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << "status " << status;
    EXPECT_EQ(Entries(folder), std::set<std::string>{"book.xlsx"});
    EXPECT_TRUE(ReadFile(book) == original);
  }
}

}  // namespace
}  // namespace tabulara::testing
