#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tabulara::testing {

// What a run of the `tabulara` program left.
struct ProgramRun {
  int exitStatus = -1;
  std::string out;
  std::string err;
};

// A folder of its own for one test, removed with everything in it. The
// program runs with TABULARA_HOME and XDG_CONFIG_HOME inside it.
class CliSandbox {
 public:
  CliSandbox();
  ~CliSandbox();
  CliSandbox(const CliSandbox&) = delete;
  CliSandbox& operator=(const CliSandbox&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path Home() const { return path_ / "home"; }
  std::filesystem::path ConfigHome() const { return path_ / "config"; }

  // Runs the built `tabulara` program with `arguments`, feeding `input` to
  // its standard input, in this folder.
  ProgramRun Run(const std::vector<std::string>& arguments, const std::string& input = "") const;
  // Runs an interop script with /usr/bin/python3 in this folder; what it printed, or
  // nothing when openpyxl is missing (exit status 3).
  std::optional<std::string> Python(const std::string& script, const std::vector<std::string>& arguments) const;
  // Copies a file into this folder under `name`.
  std::filesystem::path Copy(const std::filesystem::path& file, const std::string& name) const;
  // Writes a file into this folder.
  std::filesystem::path Write(const std::string& name, const std::string& bytes) const;
  // Writes a workbook built in the embedded host's model:
  //   "Data" (active): A1 42, A2 "Grid Wright", A3 =A1*2 (84), A4 TRUE;
  //   "Notes": B2 "note";
  //   "Archive": hidden.
  std::filesystem::path WriteSample(const std::string& name = "book.xlsx") const;

 private:
  std::filesystem::path path_;
};

// The program started on its own, its standard streams on /dev/null, with
// SIGINT and SIGTERM at their defaults (a shell's background job ignores
// SIGINT); waited for when this goes.
class RunningProgram {
 public:
  // The program with `arguments`, `environment` added to the sandbox's own.
  RunningProgram(const CliSandbox& sandbox, const std::vector<std::string>& arguments,
                 std::vector<std::string> environment = {});
  ~RunningProgram();
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  bool Started() const { return pid_ > 0; }
  void Signal(int signal) const;
  // The wait status.
  int Wait();

 private:
  pid_t pid_ = -1;
};

// The whole contents of a file.
std::string ReadFile(const std::filesystem::path& file);

// A text quoted for the POSIX shell.
std::string ShellQuoted(const std::string& text);

// A file of the real-world corpus, or an empty path when the corpus is not
// beside the source tree.
std::filesystem::path CorpusFile(const std::string& name);

// The names of everything in a folder.
std::set<std::string> FileNames(const std::filesystem::path& folder);

// Runs a command line in the shell and returns its exit status.
int RunShellCommand(const std::string& command);

// Whether a program is on the PATH.
bool HasProgram(const std::string& name);

}  // namespace tabulara::testing
