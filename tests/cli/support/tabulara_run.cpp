#include "cli/support/tabulara_run.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tabulara::testing {

CliSandbox::CliSandbox() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tabulara-cli-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
  path_ = pattern;
  std::filesystem::create_directories(Home());
  std::filesystem::create_directories(ConfigHome());
}

CliSandbox::~CliSandbox() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void CliSandbox::SetEnvironment(const std::string& name, const std::string& value) {
  environment_ += " " + name + "=" + ShellQuoted(value);
}

ProgramRun CliSandbox::Run(const std::vector<std::string>& arguments, const std::string& input) const {
  const auto in = Write(".stdin", input);
  const auto out = path_ / ".stdout";
  const auto err = path_ / ".stderr";
  std::string command = "cd " + ShellQuoted(path_.string()) + " && TABULARA_HOME=" + ShellQuoted(Home().string()) +
                        " XDG_CONFIG_HOME=" + ShellQuoted(ConfigHome().string()) + " LC_ALL=C.UTF-8" +
                        environment_ + " " + ShellQuoted(TABULARA_PROGRAM);
  for (const std::string& argument : arguments) command += " " + ShellQuoted(argument);
  command += " <" + ShellQuoted(in.string()) + " >" + ShellQuoted(out.string()) + " 2>" + ShellQuoted(err.string());
  ProgramRun run;
  run.exitStatus = RunShellCommand(command);
  run.out = ReadFile(out);
  run.err = ReadFile(err);
  return run;
}

std::filesystem::path CliSandbox::Copy(const std::filesystem::path& file, const std::string& name) const {
  const auto target = path_ / name;
  std::filesystem::copy_file(file, target, std::filesystem::copy_options::overwrite_existing);
  std::filesystem::permissions(target, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
  return target;
}

std::filesystem::path CliSandbox::Write(const std::string& name, const std::string& bytes) const {
  const auto target = path_ / name;
  std::filesystem::create_directories(target.parent_path());
  std::ofstream(target, std::ios::binary) << bytes;
  return target;
}

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  std::ostringstream contents;
  contents << stream.rdbuf();
  return contents.str();
}

std::string ShellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::filesystem::path CorpusFile(const std::string& name) {
  const auto file = std::filesystem::path(TABULARA_CORPUS) / name;
  return std::filesystem::exists(file) ? file : std::filesystem::path();
}

int RunShellCommand(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace tabulara::testing
