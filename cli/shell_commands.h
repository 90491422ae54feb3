#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "cli/host_session.h"

namespace tabulara::cli {

// The commands of a shell session on one host session.
class ShellCommands {
 public:
  // `output` is where `save` writes the workbook named on the command line.
  ShellCommands(HostSession& session, std::optional<std::filesystem::path> output);

  // Runs one line; false once the session should end.
  bool Run(const std::string& line);

 private:
  void Open(const std::string& file);
  void Save(const std::string& file);
  void Sheet(const std::string& name);
  void Get(const std::string& cell);
  void Info();
  void Select(const std::string& areas);
  void Cell(const std::string& cell);
  void Click(const std::string& captionOrPath);
  void Answer(const std::string& answer);

  HostSession& session_;
  std::optional<std::filesystem::path> output_;
  // Where `save` without a file writes.
  std::filesystem::path saveTarget_;
};

}  // namespace tabulara::cli
