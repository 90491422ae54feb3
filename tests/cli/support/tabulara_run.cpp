#include "cli/support/tabulara_run.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "embedded/embedded_host.h"
#include "xlsx/workbook_file.h"

extern char** environ;

namespace tabulara::testing {
namespace {

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

RunningProgram::RunningProgram(const CliSandbox& sandbox, const std::vector<std::string>& arguments,
                               std::vector<std::string> environment) {
  std::vector<std::string> words = {TABULARA_PROGRAM};
  words.insert(words.end(), arguments.begin(), arguments.end());
  environment.insert(environment.end(), {"TABULARA_HOME=" + sandbox.Home().string(),
                                         "XDG_CONFIG_HOME=" + sandbox.ConfigHome().string(), "LC_ALL=C.UTF-8"});
  for (char** entry = environ; *entry != nullptr; ++entry) environment.emplace_back(*entry);
  auto argv = Pointers(words);
  auto envp = Pointers(environment);
  pid_ = ::fork();
  if (pid_ != 0) return;
  const int null = ::open("/dev/null", O_RDWR);
  for (const int stream : {0, 1, 2}) ::dup2(null, stream);
  for (const int signal : {SIGINT, SIGTERM}) ::signal(signal, SIG_DFL);
  ::execve(argv.front(), argv.data(), envp.data());
  ::_exit(127);
}

RunningProgram::~RunningProgram() {
  if (pid_ > 0) Wait();
}

void RunningProgram::Signal(int signal) const { ::kill(pid_, signal); }

int RunningProgram::Wait() {
  int status = 0;
  ::waitpid(pid_, &status, 0);
  pid_ = -1;
  return status;
}

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

ProgramRun CliSandbox::Run(const std::vector<std::string>& arguments, const std::string& input) const {
  const auto in = Write(".stdin", input);
  const auto out = path_ / ".stdout";
  const auto err = path_ / ".stderr";
  std::string command = "cd " + ShellQuoted(path_.string()) + " && TABULARA_HOME=" + ShellQuoted(Home().string()) +
                        " XDG_CONFIG_HOME=" + ShellQuoted(ConfigHome().string()) + " LC_ALL=C.UTF-8 " +
                        ShellQuoted(TABULARA_PROGRAM);
  for (const std::string& argument : arguments) command += " " + ShellQuoted(argument);
  command += " <" + ShellQuoted(in.string()) + " >" + ShellQuoted(out.string()) + " 2>" + ShellQuoted(err.string());
  ProgramRun run;
  run.exitStatus = RunShellCommand(command);
  run.out = ReadFile(out);
  run.err = ReadFile(err);
  return run;
}

std::optional<std::string> CliSandbox::Python(const std::string& script,
                                              const std::vector<std::string>& arguments) const {
  constexpr int kOpenpyxlAbsent = 3;
  const auto out = path_ / ".python";
  const auto err = path_ / ".python-errors";
  std::string command = "cd " + ShellQuoted(path_.string()) + " && /usr/bin/python3 " + ShellQuoted(script);
  for (const std::string& argument : arguments) command += " " + ShellQuoted(argument);
  const int status = RunShellCommand(command + " >" + ShellQuoted(out.string()) + " 2>" + ShellQuoted(err.string()));
  if (status == kOpenpyxlAbsent) return std::nullopt;
  return status == 0 ? ReadFile(out) : "exit status " + std::to_string(status) + ": " + ReadFile(out) + ReadFile(err);
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

std::filesystem::path CliSandbox::WriteSample(const std::string& name) const {
  const auto file = path_ / name;
  std::filesystem::create_directories(file.parent_path());
  embedded::EmbeddedHost host;
  auto& workbook = host.NewWorkbook({"Data", "Notes", "Archive"}, file.filename().string());
  auto& data = host.Sheet(workbook, "Data");
  host.SetValue(data, "A1", 42);
  host.SetValue(data, "A2", "Grid Wright");
  host.SetFormula(data, "A3", "=A1*2", 84);
  host.SetValue(data, "A4", true);
  host.SetValue(host.Sheet(workbook, "Notes"), "B2", "note");
  host.Sheet(workbook, "Archive").visibility = host::xlSheetHidden;
  host.Activate(data);
  xlsx::WorkbookFile::Create(host.model().workbooks.back())->Save(file);
  return file;
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

std::set<std::string> FileNames(const std::filesystem::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.insert(entry.path().filename());
  return names;
}

int RunShellCommand(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool HasProgram(const std::string& name) { return RunShellCommand("command -v " + name + " >/dev/null 2>&1") == 0; }

}  // namespace tabulara::testing
