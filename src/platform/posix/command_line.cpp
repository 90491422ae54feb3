#include "platform/posix/command_line.h"

namespace tabulara::platform::posix {
namespace {

// The program and where its arguments begin.
std::pair<std::string, std::size_t> SplitProgram(const std::string& line,
                                                 const std::function<bool(const std::string&)>& namesProgram) {
  if (line.starts_with('"')) {
    const std::size_t close = line.find('"', 1);
    if (close == std::string::npos) return {line.substr(1), line.size()};
    return {line.substr(1, close - 1), close + 1};
  }
  for (std::size_t blank = line.find(' ');; blank = line.find(' ', blank + 1)) {
    const std::size_t end = blank == std::string::npos ? line.size() : blank;
    if (namesProgram(line.substr(0, end))) return {line.substr(0, end), end};
    if (blank == std::string::npos) break;
  }
  const std::size_t firstBlank = std::min(line.find(' '), line.size());
  return {line.substr(0, firstBlank), firstBlank};
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& commandLine,
                                          const std::function<bool(const std::string&)>& namesProgram) {
  const std::size_t start = std::min(commandLine.find_first_not_of(' '), commandLine.size());
  const std::string line = commandLine.substr(start);
  if (line.empty()) return {};
  auto [program, rest] = SplitProgram(line, namesProgram);
  std::vector<std::string> arguments{program};
  std::string argument;
  bool inQuotes = false;
  bool inArgument = false;
  for (const char character : std::string_view(line).substr(rest)) {
    if (character == '"') {
      inQuotes = !inQuotes;
      inArgument = true;
    } else if (character == ' ' && !inQuotes) {
      if (inArgument) arguments.push_back(std::move(argument));
      argument.clear();
      inArgument = false;
    } else {
      argument += character;
      inArgument = true;
    }
  }
  if (inArgument) arguments.push_back(std::move(argument));
  return arguments;
}

}  // namespace tabulara::platform::posix
