#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <regex>
#include <set>
#include <thread>

#include "cli/support/tabulara_run.h"
#include "embedded/embedded_host.h"
#include "xlsx/package/package.h"
#include "xlsx/workbook_file.h"

namespace tabulara::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

// Polls until `done` holds, for a minute at most.
void WaitUntil(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!done() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
}

// Exit status 2, nothing on standard output and one line on standard error
// that starts so.
void ExpectRefused(const ProgramRun& run, const std::string& start) {
  EXPECT_EQ(run.exitStatus, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_THAT(run.err, StartsWith("tabulara: error: " + start));
  EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
}

// Whether a live process's command line mentions `text`.
bool AnyProcessMentions(const std::string& text) {
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    const std::string stat = ReadFile(entry.path() / "stat");
    const auto state = stat.rfind(") ");
    if (state == std::string::npos || stat.at(state + 2) == 'Z') continue;
    if (ReadFile(entry.path() / "cmdline").find(text) != std::string::npos) return true;
  }
  return false;
}

// A legacy workbook is converted by soffice, even under a name that looks
// like an option; a conversion interrupted leaves nothing behind.
// The add-in's own worksheet functions, installed as the host's add-ins
// dialog does, are calculated through the class the host creates: a
// date cell's age, and a random number that changes at every F9.
TEST(WorksheetFunctions, AreCalculatedThroughTheInstalledClass) {
  CliSandbox sandbox;
  embedded::EmbeddedHost host;
  auto& workbook = host.NewWorkbook({"Data"}, "book.xlsx");
  auto& sheet = host.Sheet(workbook, "Data");
  host.SetValue(sheet, "A1", 29387.0);
  host.SetNumberFormat(sheet, "A1", "m/d/yyyy");
  host.SetFormula(sheet, "B1", "=Age(A1)-Age(\"1/1/2000\")");
  host.SetFormula(sheet, "C1", "=NonStaticRand()");
  xlsx::WorkbookFile::Create(host.model().workbooks.back())->Save(sandbox.path() / "book.xlsx");
  ASSERT_EQ(sandbox.Run({"addins", "--install", "Quorvel.Formula"}).exitStatus, 0);
  const ProgramRun run = sandbox.Run({"shell", "book.xlsx"}, "calculate\nget B1\nget C1\ncalculate\nget C1\n");
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  std::smatch found;
  const std::regex values(R"(value: 20\n[\s\S]*value: (0\.\d+)\n[\s\S]*value: (0\.\d+)\n)");
  ASSERT_TRUE(std::regex_search(run.out, found, values)) << run.out;
  EXPECT_NE(found[1].str(), found[2].str());
}

TEST(LegacyWorkbooks, AreConvertedAndAnInterruptedConversionLeavesNothingBehind) {
  if (!HasProgram("soffice")) GTEST_SKIP() << "soffice is not on the PATH";
  const auto legacy = CorpusFile("legacy_biff8_hidden_sheets.xls");
  if (legacy.empty()) GTEST_SKIP() << "the corpus is absent";
  CliSandbox sandbox;
  sandbox.Copy(legacy, "-x.xls");
  const ProgramRun converted = sandbox.Run({"upper-case-sheets", "-o", "new.xlsx", "--", "-x.xls"});
  EXPECT_EQ(converted.exitStatus, 0) << converted.err;
  EXPECT_THAT(sandbox.Run({"info", "new.xlsx"}).out, HasSubstr("active sheet: VISIBLE\n"));

  const auto temporaries = sandbox.path() / "tmp";
  std::filesystem::create_directories(temporaries);
  RunningProgram program(sandbox, {"info", sandbox.Copy(legacy, "book.xls").string()},
                         {"TMPDIR=" + temporaries.string()});
  ASSERT_TRUE(program.Started());
  WaitUntil([&] { return AnyProcessMentions(temporaries.string()); });
  program.Signal(SIGTERM);
  const int status = program.Wait();
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
  // What was killed may take a moment to die.
  WaitUntil([&] { return !AnyProcessMentions(temporaries.string()); });
  EXPECT_FALSE(AnyProcessMentions(temporaries.string()));
  EXPECT_TRUE(std::filesystem::is_empty(temporaries));
}

class SavingTest : public ::testing::Test {
 protected:
  CliSandbox sandbox;
  std::filesystem::path book = sandbox.WriteSample("work/book.xlsx");
  std::filesystem::path folder = book.parent_path();
};

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

// A stored part as the zip file holds it: the checksum of its central
// header, then its compressed bytes.
std::string StoredPart(const std::string& zip, const std::string& part) {
  const std::size_t local = HeaderOf(zip, "PK\3\4", 30, part);
  const std::size_t data = local + 30 + Little16(zip, local + 26) + Little16(zip, local + 28);
  const std::size_t central = HeaderOf(zip, "PK\1\2", 46, part);
  const std::size_t size = Little16(zip, central + 20) | std::size_t{Little16(zip, central + 22)} << 16;
  return zip.substr(central + 16, 4) + zip.substr(data, size);
}

TEST_F(SavingTest, APartCopiedAsItIsKeepsItsBytesAndChecksumSoThatDamageInItStaysPlain) {
  const std::string part = "docProps/app.xml";
  const std::string sample = ReadFile(book);
  const std::size_t local = HeaderOf(sample, "PK\3\4", 30, part);
  // Its checksum in both of its headers, or a byte in the middle of its compressed data.
  std::string badChecksum = sample;
  badChecksum[local + 14] ^= 0x5a;
  badChecksum[HeaderOf(sample, "PK\1\2", 46, part) + 16] ^= 0x5a;
  std::string badData = sample;
  const std::size_t data = local + 30 + Little16(sample, local + 26) + Little16(sample, local + 28);
  badData[data + Little16(sample, local + 18) / 2] ^= 0xff;
  for (const std::string& damaged : {badChecksum, badData}) {
    SCOPED_TRACE(damaged == badData ? "bad data" : "bad checksum");
    sandbox.Write("work/book.xlsx", damaged);
    const ProgramRun run = sandbox.Run({"sort-sheets", "work/book.xlsx", "-o", "work/sorted.xlsx"});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_TRUE(ReadFile(book) == damaged);
    EXPECT_TRUE(StoredPart(ReadFile(folder / "sorted.xlsx"), part) == StoredPart(damaged, part));
  }
}

TEST_F(SavingTest, ASheetThatCannotBeReadStopsOnlyTheCommandsThatReadIt) {
  const std::string notes = "xl/worksheets/sheet2.xml";
  {
    auto package = xlsx::Package::Open(book);
    ASSERT_THAT(package.Read(notes), ::testing::HasSubstr("<c r=\"B2\""));
    package.Write(notes, "<worksheet><sheetData></worksheet>");
    package.Save(book);
  }
  const std::string damaged = ReadFile(book);

  const ProgramRun listed = sandbox.Run({"info", "work/book.xlsx"});
  EXPECT_EQ(listed.exitStatus, 0) << listed.err;
  EXPECT_THAT(listed.out, ::testing::HasSubstr("Notes\tworksheet\tvisible"));
  const ProgramRun copied = sandbox.Run({"clear-hyperlinks", "work/book.xlsx", "-o", "work/copy.xlsx"});
  EXPECT_EQ(copied.exitStatus, 0) << copied.err;
  EXPECT_TRUE(StoredPart(ReadFile(folder / "copy.xlsx"), notes) == StoredPart(damaged, notes));

  std::filesystem::create_directories(sandbox.ConfigHome() / "Quorvel.Gridwright");
  sandbox.Write("config/Quorvel.Gridwright/settings.ini", "[FontSetting]\r\nSameFontSize=1\r\nFontSize=10\r\n");
  const ProgramRun unified = sandbox.Run({"unify-font", "work/book.xlsx"});
  EXPECT_EQ(unified.exitStatus, 2);
  EXPECT_THAT(unified.err, ::testing::EndsWith("tabulara: error: work/book.xlsx: the part " + notes +
                                               " is not well-formed XML (Start-end tags mismatch at byte 24)\n"));
  EXPECT_TRUE(ReadFile(book) == damaged);
}

TEST_F(SavingTest, ACommandThatChangesNothingLeavesTheFileAsItIs) {
  const auto identity = [&] {
    struct stat status {};
    EXPECT_EQ(::stat(book.c_str(), &status), 0);
    return std::pair(status.st_ino, status.st_mtim.tv_nsec);
  };
  const auto before = identity();
  const std::string bytes = ReadFile(book);
  const std::vector<std::vector<std::string>> commands = {
      {"clear-hyperlinks", "work/book.xlsx"},
      {"trim-cells", "--yes", "--select", "A1:A4", "work/book.xlsx"},
      {"clear-spotter", "work/book.xlsx"},
  };
  for (const auto& command : commands) {
    SCOPED_TRACE(command.front());
    const ProgramRun run = sandbox.Run(command);
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(identity(), before);
    EXPECT_TRUE(ReadFile(book) == bytes);
  }
}

TEST_F(SavingTest, TargetsThatAreNoRegularFileAreRefusedAndNothingIsWritten) {
  std::filesystem::create_directory(folder / "folder");
  std::vector<std::pair<std::string, std::string>> targets = {{"folder", "a folder"}};
  const struct {
    const char* name;
    mode_t mode;
    const char* kind;
  } nodes[] = {{"pipe", S_IFIFO, "a named pipe"}, {"socket", S_IFSOCK, "a socket"}, {"null", S_IFCHR, "a device"}};
  // A device needs privileges; a pipe and a socket do not.
  for (const auto& node : nodes) {
    if (::mknod((folder / node.name).c_str(), node.mode | 0666, ::makedev(1, 3)) == 0) {
      targets.emplace_back(node.name, node.kind);
    }
  }
  ASSERT_GE(targets.size(), 3u);
  const std::set<std::string> before = FileNames(folder);
  for (const auto& [name, kind] : targets) {
    SCOPED_TRACE(name);
    for (const std::string& given : {"work/" + name, "work/link-to-" + name}) {
      std::filesystem::create_symlink(name, folder / ("link-to-" + name));
      ExpectRefused(sandbox.Run({"sort-sheets", "work/book.xlsx", "-o", given}),
                    given + ": cannot be written (it is " + kind + ", not a regular file)\n");
      std::filesystem::remove(folder / ("link-to-" + name));
      EXPECT_EQ(FileNames(folder), before);
      std::error_code ignored;
      EXPECT_FALSE(std::filesystem::is_regular_file(folder / name, ignored));
    }
  }
}

TEST_F(SavingTest, AnInterruptedSaveLeavesTheOriginalAndNoTemporary) {
  // So many rows on "Data" that writing them back takes a while; A1 holds
  // blanks for trim-cells to take.
  std::string rows = R"(<row r="1"><c r="A1" t="inlineStr"><is><t>  padded  </t></is></c></row>)";
  for (int row = 2; row <= 400000; ++row) {
    const std::string number = std::to_string(row);
    rows += "<row r=\"" + number + "\"><c r=\"A" + number + "\"><v>" + number + "</v></c><c r=\"B" + number +
            "\" t=\"inlineStr\"><is><t>row " + number + " of the large sheet</t></is></c></row>";
  }
  {
    auto package = xlsx::Package::Open(book);
    package.Write("xl/worksheets/sheet1.xml",
                  R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)" +
                      rows + "</sheetData></worksheet>");
    package.Save(book);
  }
  const std::string original = ReadFile(book);
  for (const int signal : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(strsignal(signal));
    int status = 0;
    // A save that ends before the signal comes is tried again.
    for (int attempt = 0; attempt < 3; ++attempt) {
      sandbox.Write("work/book.xlsx", original);
      RunningProgram program(sandbox, {"trim-cells", "--sheet", "Data", "--select", "A1", book.string()});
      ASSERT_TRUE(program.Started());
      WaitUntil([&] { return FileNames(folder).size() > 1; });
      program.Signal(signal);
      status = program.Wait();
      if (!WIFEXITED(status)) break;
    }
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << "status " << status;
    EXPECT_EQ(FileNames(folder), std::set<std::string>{"book.xlsx"});
    EXPECT_TRUE(ReadFile(book) == original);
  }
}

}  // namespace
}  // namespace tabulara::testing
