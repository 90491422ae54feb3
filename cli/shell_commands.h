#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/host_session.h"

namespace tabulara::cli {

// The commands of a shell session on one host session.
class ShellCommands {
 public:
  // A command as the help shows it: "save [FILE]" and what it does.
  struct Help {
    std::string_view usage;
    std::string_view text;
  };
  // Every command, in the order the help lists them.
  static std::vector<Help> Helps();

  // `output` is where `save` writes the workbook named on the command line.
  ShellCommands(HostSession& session, std::optional<std::filesystem::path> output);

  // Runs one line, then lets the host update its command bars; false once
  // the session should end.
  bool Run(const std::string& line);

 private:
  using Handler = void (ShellCommands::*)(const std::string& argument);
  struct Entry {
    Help help;
    Handler run;
  };
  static const Entry kEntries[];

  void Open(const std::string& file);
  void Save(const std::string& file);
  void Sheet(const std::string& name);
  void Select(const std::string& areas);
  void Cell(const std::string& cell);
  void Click(const std::string& captionOrPath);
  void DoubleClick(const std::string& cell);
  void RightClick(const std::string& cell);
  void CellSpotter(const std::string& cell);
  void ClearSpotter(const std::string&);
  void UnifyFont(const std::string&);
  void CommentStyle(const std::string& styleAndCell);
  void Shapes(const std::string&);
  void Answer(const std::string& answer);
  void Menu(const std::string&);
  void Get(const std::string& cell);
  void Info(const std::string&);
  void AddIns(const std::string& change);
  void Calculate(const std::string&);
  void Quit(const std::string&);

  HostSession& session_;
  std::optional<std::filesystem::path> output_;
  // Where `save` without a file writes.
  std::filesystem::path saveTarget_;
  bool ended_ = false;
};

}  // namespace tabulara::cli
