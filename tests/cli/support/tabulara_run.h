#pragma once

#include <filesystem>
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

  // Sets an environment variable of the runs that follow.
  void SetEnvironment(const std::string& name, const std::string& value);
  // Runs the built `tabulara` program with `arguments`, feeding `input` to
  // its standard input, in this folder.
  ProgramRun Run(const std::vector<std::string>& arguments, const std::string& input = "") const;
  // Copies a file into this folder under `name`.
  std::filesystem::path Copy(const std::filesystem::path& file, const std::string& name) const;
  // Writes a file into this folder.
  std::filesystem::path Write(const std::string& name, const std::string& bytes) const;

 private:
  std::filesystem::path path_;
  std::string environment_;
};

// The whole contents of a file.
std::string ReadFile(const std::filesystem::path& file);

// A text quoted for the POSIX shell.
std::string ShellQuoted(const std::string& text);

// A file of the real-world corpus, or an empty path when the corpus is not
// beside the source tree.
std::filesystem::path CorpusFile(const std::string& name);

// Runs a command line in the shell and returns its exit status.
int RunShellCommand(const std::string& command);

}  // namespace tabulara::testing
