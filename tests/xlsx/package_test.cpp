#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <chrono>
#include <fstream>
#include <optional>
#include <random>
#include <set>
#include <thread>
#include <tuple>

#include "xlsx/legacy/legacy_workbook.h"
#include "xlsx/package/input_file.h"
#include "xlsx/package/package.h"
#include "xlsx/package/package_error.h"
#include "xlsx/package/zip_handle.h"
#include "xlsx/workbook_files.h"

namespace tabulara::xlsx {
namespace {

using ::testing::HasSubstr;
using testing::BytesOf;
using testing::CorpusFile;
using testing::CorpusWorkbooks;
using testing::DifferingParts;
using testing::MinimalWorkbookParts;
using testing::PartsOf;
using testing::ScratchFolder;
using testing::TestData;
using testing::WorksheetXml;

template <class Read>
std::string ErrorOf(Read read) {
  try {
    read();
  } catch (const PackageError& error) {
    return error.what();
  }
  return "(read)";
}

// Opening reads the workbook part; a sheet's part is read when its content is first wanted.
std::string OpenError(const std::filesystem::path& file, PackageLimits limits = {}) {
  return ErrorOf([&] {
    const auto opened = WorkbookFile::Open(file, limits);
    for (const auto& sheet : opened->workbook()->sheets) sheet->LoadContent();
  });
}

// One line naming the file, then what is wrong with it.
void ExpectRefused(const std::filesystem::path& file, const std::string& what, PackageLimits limits = {}) {
  const std::string message = OpenError(file, limits);
  EXPECT_THAT(message, ::testing::StartsWith(file.string() + ": "));
  EXPECT_THAT(message, HasSubstr(what));
  EXPECT_THAT(message, ::testing::Not(HasSubstr("\n")));
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

// Every file here is refused before any conversion, so without soffice.
TEST(BadInput, FilesThatAreNoReadableWorkbookAreRefusedSayingWhy) {
  ScratchFolder folder;
  const ScopedVariable path("PATH", (folder / "no-programs").string());
  const auto package = [&](const testing::Parts& replaced, const std::vector<std::string>& removed = {}) {
    auto parts = MinimalWorkbookParts();
    for (const auto& [name, bytes] : replaced) parts[name] = bytes;
    for (const auto& name : removed) parts.erase(name);
    testing::WritePackage(folder / "package.xlsx", parts);
    return BytesOf(folder / "package.xlsx");
  };
  const std::string sheet1 = "xl/worksheets/sheet1.xml";
  const std::string broken = WorksheetXml("<sheetData><row r=\"1\"><c r=\"A1\"><v>1</x></c></row></sheetData>");
  std::string otherDocument = MinimalWorkbookParts()["[Content_Types].xml"];
  const std::string workbookType = "spreadsheetml.sheet.main+xml";
  otherDocument.replace(otherDocument.find(workbookType), workbookType.size(), "wordprocessingml.document.main+xml");
  const std::string laughs =
      "<?xml version=\"1.0\"?><!DOCTYPE workbook [<!ENTITY a \"lol\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;\">]>"
      "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheets>&b;</sheets></workbook>";
  const std::string relationshipsOpen = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                                        "relationships\">";
  const std::string workbookOpen = std::string("<workbook xmlns=\"") + testing::kMainNamespace + "\" xmlns:r=\"" +
                                   testing::kRelationshipsNamespace + "\">";
  const auto cells = [&](const std::string& rows) {
    return package({{sheet1, WorksheetXml("<sheetData>" + rows + "</sheetData>")}});
  };
  const std::string whole = package({});
  struct BadFile {
    std::string name;
    std::string bytes;
    std::string what;
  };
  std::vector<BadFile> cases = {
      {"truncated.xlsx", whole.substr(0, whole.size() / 2), "not a workbook package, or a damaged one"},
      {"text.xlsx", "Name,Value\r\nA,1\r\n", "not a workbook package, or a damaged one"},
      {"empty.xlsx", "", "not a workbook package"},
      {"damaged.xls", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(2000, '\x5A'),
       ": is a damaged OLE2 compound file (its directory cannot be read), not a workbook"},
      {"letter.xls", BytesOf(TestData("word_document.cfb")),
       ": is an OLE2 compound file that holds no workbook (another Office document, such as a .doc)"},
      {"secret.xlsx", BytesOf(TestData("encrypted_package.cfb")),
       ": is encrypted (password-protected), which cannot be read; remove the password in a spreadsheet program "
       "and save it again"},
      {"a.xlsx", package({}, {"[Content_Types].xml"}), "not a workbook package ([Content_Types].xml is missing)"},
      {"a.xlsx", package({}, {"_rels/.rels"}), "not a workbook package (_rels/.rels is missing)"},
      {"a.xlsx", package({}, {"xl/workbook.xml"}), "the workbook part xl/workbook.xml is missing"},
      {"a.xlsx", package({{"_rels/.rels", relationshipsOpen + "</Relationships>"}}),
       "_rels/.rels names no main document part"},
      {"a.xlsx", package({{"[Content_Types].xml", otherDocument}}),
       "not a workbook (its main part xl/workbook.xml is of the type "
       "\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\")"},
      {"a.xlsx", package({{sheet1, "PK\x03\x04 binary"}}), "the part xl/worksheets/sheet1.xml is not well-formed XML"},
      {"a.xlsx", package({{"[Content_Types].xml", "<Types"}}), "the part [Content_Types].xml is not well-formed XML"},
      {"a.xlsx", package({{"xl/workbook.xml", laughs}}), "the part xl/workbook.xml declares a document type"},
      {"a.xlsx", package({}, {"xl/_rels/workbook.xml.rels"}),
       "the sheet \"Sheet1\" has no relationship \"rId1\" in xl/_rels/workbook.xml.rels"},
      {"a.xlsx", package({}, {sheet1}), "the part xl/worksheets/sheet1.xml of the sheet \"Sheet1\" is missing"},
      {"a.xlsx", package({{"xl/workbook.xml", workbookOpen + "<sheets/></workbook>"}}),
       "the workbook part xl/workbook.xml lists no sheets"},
      {"a.xlsx",
       package({{"xl/_rels/workbook.xml.rels", relationshipsOpen + "<Relationship Id=\"rId1\" Type=\"" +
                                                   testing::kRelationshipsNamespace +
                                                   "/worksheet\" Target=\"../../../outside.xml\"/></Relationships>"}}),
       "the relationship target ../../../outside.xml leaves the package"},
      {"a.xlsx", package({{sheet1, broken}}),
       "xl/worksheets/sheet1.xml is not well-formed XML (Start-end tags mismatch at byte " +
           std::to_string(broken.find("</x>") + 2) + ")"},
      {"a.xlsx", cells("<row r=\"1\"><c r=\"A1\">"), sheet1},
      {"a.xlsx", cells("<row r=\"1\"><c r=\"ZZZZ99999999\"><v>1</v></c></row>"), "ZZZZ99999999"},
      {"a.xlsx", cells("<row r=\"1\"><c r=\"XFE1\"><v>1</v></c></row>"), "XFE1"},
      {"a.xlsx", cells("<row r=\"1048577\"><c r=\"A1048577\"><v>1</v></c></row>"), "1048577"},
      {"a.xlsx", cells("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>"), "shared string 0"},
  };
  // A legacy workbook, also saved as a template or renamed, is recognised by its content.
  if (const auto legacy = testing::CorpusFile("legacy_biff8_comments.xls"); !legacy.empty()) {
    for (const char* name : {"legacy.xls", "Report.xlt", "legacy.xlsx"}) {
      cases.push_back({name, BytesOf(legacy),
                       ": is a legacy binary workbook (Excel 97-2003 format), which cannot be read; save it as an "
                       ".xlsx workbook"});
    }
  }
  for (const auto& bad : cases) {
    SCOPED_TRACE(bad.what);
    const auto file = folder / "bad" / bad.name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bad.bytes;
    ExpectRefused(file, bad.what);
    std::filesystem::remove(file);
  }
  ExpectRefused(folder / "missing.xlsx", "cannot read the file");
}

TEST(BadInput, ZipBombsStopAtTheLimits) {
  const auto padded = [](std::size_t spaces) { return WorksheetXml(std::string(spaces, ' ') + "<sheetData/>"); };
  ScratchFolder folder;
  auto parts = MinimalWorkbookParts();
  parts["xl/worksheets/sheet1.xml"] = padded(1 << 22);
  // A picture that does not compress makes the file large beside the part.
  std::string picture(1 << 16, '\0');
  for (std::size_t i = 0; i < picture.size(); ++i) picture[i] = static_cast<char>((i * 2654435761u) >> 13);
  parts["xl/media/image1.bin"] = picture;
  testing::WritePackage(folder / "bomb.xlsx", parts);
  parts.erase("xl/media/image1.bin");
  // Every part within the grace size, the workbook past it.
  parts["xl/worksheets/sheet1.xml"] = padded(900 << 10);
  std::string& workbook = parts["xl/workbook.xml"];
  workbook.insert(workbook.find("</workbook>"), std::string(900 << 10, ' '));
  testing::WritePackage(folder / "spread.xlsx", parts);
  const struct {
    const char* file;
    PackageLimits limits;
    std::string what;
  } cases[] = {
      {"bomb.xlsx", PackageLimits{1 << 16, 1 << 30},
       "part xl/worksheets/sheet1.xml inflates to more than 65536 bytes; refused as a possible zip bomb (raise the "
       "limit with --max-part-size)"},
      {"bomb.xlsx", PackageLimits{1 << 30, 1 << 16},
       "inflates the workbook past 65536 bytes; refused as a possible zip bomb (raise the limit with "
       "--max-workbook-size)"},
      {"bomb.xlsx", PackageLimits{},
       "times its compressed size; refused as a possible zip bomb (raise the limit with --max-inflate-ratio)"},
      {"spread.xlsx", PackageLimits{},
       "times the size of its file; refused as a possible zip bomb (raise the limit with --max-inflate-ratio)"},
  };
  PackageLimits raised;
  raised.maxInflateRatio = 1e6;
  for (const auto& bad : cases) {
    SCOPED_TRACE(bad.what);
    ExpectRefused(folder / bad.file, bad.what, bad.limits);
    EXPECT_EQ(WorkbookFile::Open(folder / bad.file, raised)->workbook()->sheets.size(), 1u);
  }
}

TEST(BadInput, FoldersDevicesAndSilentPipesAreNamed) {
  ScratchFolder folder;
  const std::pair<std::filesystem::path, std::string> cases[] = {{folder / "", "a folder"},
                                                                 {"/dev/null", "a character device"}};
  for (const auto& [file, kind] : cases) {
    EXPECT_EQ(OpenError(file), file.string() + ": is " + kind + ", not a workbook file");
  }

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
TEST(BadInput, AConversionPastItsTimeLimitIsEndedWithWhatItStarted) {
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

  EXPECT_EQ(ErrorOf([] { PackageOfCompoundFile(BytesOf(TestData("workbook_stream.cfb")), std::chrono::seconds(1)); }),
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
    EXPECT_EQ(std::tuple(status.st_mode & 07777, status.st_uid, status.st_gid), std::tuple(mode, owner, group));
  }

  const mode_t umask = ::umask(027);
  SaveChanged(book, folder_ / "new.xlsx", "new");
  ::umask(umask);
  const struct stat status = StatusOf(folder_ / "new.xlsx");
  EXPECT_EQ(status.st_mode & 07777, 0640u);
}

TEST_F(PackageSave, ANameAsLongAsTheSystemTakesIsSavedNewAndInPlace) {
  const auto longest = folder_ / (std::string(245, 'n') + ".xlsx");
  SaveChanged(book, longest, "new");
  SaveChanged(longest, longest, "in place");
  EXPECT_EQ(PartsOf(longest).at("note.txt"), "in place");
  EXPECT_EQ(Entries(folder_ / ""), (std::set<std::string>{"book.xlsx", longest.filename()}));
}

// A large part is deflated in pieces on two threads; joined, they must be
// one stream that zlib, through libzip, inflates to the part with its checksum.
TEST_F(PackageSave, APartDeflatedInPiecesIsOneStreamThatZlibInflates) {
  std::string large;
  for (int row = 1; large.size() < (std::size_t{9} << 20) + 123; ++row) {
    large += "<row r=\"" + std::to_string(row) + "\"><c><v>" + std::to_string(row * 7919 % 100003) + "</v></c></row>";
  }
  const testing::Parts parts = {{"a/large.xml", large}, {"b/small.xml", "<small/>"}, {"c/empty.xml", ""}};
  testing::WritePackage(book, parts);

  int code = 0;
  const ZipHandle archive(zip_open(book.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code));
  ASSERT_TRUE(archive) << code;
  for (const auto& [name, bytes] : parts) {
    SCOPED_TRACE(name);
    const ZipFileHandle file(zip_fopen(archive.get(), name.c_str(), 0));
    ASSERT_TRUE(file);
    std::string read(bytes.size() + 1, '\0');
    const zip_int64_t count = zip_fread(file.get(), read.data(), read.size());
    ASSERT_EQ(count, static_cast<zip_int64_t>(bytes.size())) << zip_file_strerror(file.get());
    read.resize(bytes.size());
    EXPECT_TRUE(read == bytes);
  }
  EXPECT_THAT(DifferingParts(parts, PartsOf(book)), ::testing::IsEmpty());
}

std::string RandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random());
  return bytes;
}

// The archive goes out in blocks of 1 MiB, and each entry's header is
// written again once its data is: parts that stay incompressible end inside,
// at and past a block, their headers rewritten in a block still held or in
// one written out. Written new, then copied as they are, each stays whole.
TEST_F(PackageSave, PartsAroundTheBlocksOfTheWriteComeBackWhole) {
  constexpr std::size_t kBlock = std::size_t{1} << 20;
  testing::Parts parts;
  unsigned seed = 1;
  for (const std::size_t size : {std::size_t{0}, std::size_t{1}, kBlock - 200, kBlock, kBlock + 1, 3 * kBlock + 7}) {
    parts["p/" + std::to_string(size) + ".bin"] = RandomBytes(size, seed++);
  }
  testing::WritePackage(book, parts);
  Package::Open(book).Save(folder_ / "copied.xlsx");

  for (const auto& file : {book, folder_ / "copied.xlsx"}) {
    SCOPED_TRACE(file.filename());
    int code = 0;
    const ZipHandle archive(zip_open(file.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code));
    ASSERT_TRUE(archive) << code;
    EXPECT_EQ(zip_get_num_entries(archive.get(), 0), static_cast<zip_int64_t>(parts.size()));
    EXPECT_THAT(DifferingParts(parts, PartsOf(file)), ::testing::IsEmpty());
  }
}

// No zip reader takes an archive of no entries for a package.
TEST_F(PackageSave, APackageOfNoPartsIsNotWrittenAndTheFileStays) {
  Package package = Package::Open(book);
  package.Remove("note.txt");
  EXPECT_EQ(ErrorOf([&] { package.Save(book); }), book.string() + ": cannot be written (the package has no parts)");
  EXPECT_EQ(PartsOf(book).at("note.txt"), "original");
  EXPECT_EQ(Entries(folder_ / ""), std::set<std::string>{"book.xlsx"});
}

// Saves `text` as the one part of `book` with files limited to `limit`
// bytes, and ends the process with 0 when that fails with `message`.
[[noreturn]] void SaveWithFilesLimited(const std::filesystem::path& book, rlim_t limit, const std::string& text,
                                       const std::string& message) {
  std::signal(SIGXFSZ, SIG_IGN);
  const rlimit size{limit, limit};
  setrlimit(RLIMIT_FSIZE, &size);
  Package package = Package::Open(book);
  package.Write("note.txt", text);
  std::exit(ErrorOf([&] { package.Save(book); }) == message ? 0 : 1);
}

TEST_F(PackageSave, AWriteThatFailsPartWayLeavesTheFileAsItWasAndNothingBeside) {
  const std::string text = RandomBytes(std::size_t{3} << 20, 7);
  const std::string message = book.string() + ": cannot be written (Write error: File too large)";
  for (const rlim_t limit : {rlim_t{100}, rlim_t{1} << 20, (rlim_t{3} << 20) + 50}) {
    SCOPED_TRACE(limit);
    EXPECT_EXIT(SaveWithFilesLimited(book, limit, text, message), ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(PartsOf(book).at("note.txt"), "original");
    EXPECT_EQ(Entries(folder_ / ""), std::set<std::string>{"book.xlsx"});
  }
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
    // The message of the refusal; empty when the name fits and the file is written over.
    const char* refusal;
  } cases[] = {
      {"excel_internal_hyperlinks.xlsx", "legacy.xls",
       ": not written: the workbook is saved as an .xlsx file, so its name must end in .xlsx (-o NAME.xlsx)"},
      {"excel_macro.xlsm", "macro.xlsx",
       ": not written: the macro-enabled workbook is saved as an .xlsm file, so its name must end in .xlsm "
       "(-o NAME.xlsm)"},
      {"excel_template_minimal.xltx", "template.xlsx",
       ": not written: the template is saved as an .xltx file, so its name must end in .xltx (-o NAME.xltx)"},
      {"excel_macro.xlsm", "MACRO.XLSM", ""},
      {"excel_template_minimal.xltx", "copy.xltx", ""},
  };
  for (const auto& [source, target, refusal] : cases) {
    SCOPED_TRACE(target);
    const auto file = folder_ / target;
    std::ofstream(file) << "kept";
    const bool refused = *refusal != '\0';
    EXPECT_EQ(ErrorOf([&] { WorkbookFile::Open(CorpusFile(source))->Save(file); }),
              refused ? file.string() + refusal : "(read)");
    EXPECT_EQ(testing::BytesOf(file) == "kept", refused);
  }
}

}  // namespace
}  // namespace tabulara::xlsx
