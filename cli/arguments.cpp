#include "cli/arguments.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <iostream>
#include <memory>

#include "cli/command_errors.h"
#include "cli/shell_commands.h"
#include "cli/verbs.h"
#include "version.h"

namespace tabulara::cli {
namespace {

constexpr const char* kUsage = "Usage: tabulara [OPTIONS] VERB [WORKBOOK]";

// The help's usage line names the workbook after the verb.
class HelpFormatter : public CLI::Formatter {
 public:
  std::string make_usage(const CLI::App*, std::string) const override { return std::string(kUsage) + '\n'; }
};

std::string VersionText() { return "tabulara " + VersionNumbers(); }

ExitStatus UsageError(const std::string& message) {
  PrintCommandError(message);
  std::cerr << kUsage << '\n' << "Run 'tabulara --help' for the verbs, options and shell commands.\n";
  return ExitStatus::Failure;
}

std::string HelpFooter() {
  std::string footer = "Shell commands, one a line ('#' starts a comment):\n";
  for (const ShellCommands::Help& command : ShellCommands::Helps()) {
    std::string usage(command.usage);
    usage.resize(std::max<std::size_t>(usage.size() + 1, 21), ' ');
    footer += "  " + usage + std::string(command.text) + '\n';
  }
  return footer +
         "\n"
         "Errors of the command start with \"tabulara: error:\"; the add-in's messages show as \"TITLE: TEXT\".\n"
         "Exit status: 0 the command ran; 1 the add-in reported an error (nothing is saved);\n"
         "2 a usage error, or a file that cannot be read or written.\n";
}

}  // namespace

std::variant<Arguments, ExitStatus> ParseArguments(int argc, char** argv) {
  Arguments arguments;
  CLI::App app("Runs the Tabulara add-in on workbook files, the way the spreadsheet host runs it.", "tabulara");
  app.set_version_flag("--version", VersionText());
  app.formatter(std::make_shared<HelpFormatter>());
  app.footer(HelpFooter());
  app.require_subcommand(1);
  // Options may stand before or after the verb.
  app.fallthrough();
  app.add_option("-o,--output", arguments.output,
                 "write the workbook to this file (also when nothing changed), leave WORKBOOK as it was")
      ->type_name("FILE");
  app.add_option("--sheet", arguments.sheet, "make this sheet active first")->type_name("NAME");
  app.add_option("--select", arguments.select,
                 "select these cells first, as the Go To box takes them (A1:C9, Data!A1, 'My sheet'!A1:B2,D4)")
      ->type_name("RANGE");
  app.add_option("--cell", arguments.cell, "make this cell (Data!B3 on another sheet) the active cell first")
      ->type_name("REF");
  app.add_option("--max-inflate-ratio", arguments.limits.maxInflateRatio,
                 "refuse a part, or a workbook, that inflates more than N times its compressed size")
      ->type_name("N")
      ->check(CLI::PositiveNumber)
      ->capture_default_str();
  app.add_option("--max-part-size", arguments.limits.maxPartBytes, "refuse a part that inflates to more than SIZE")
      ->type_name("SIZE")
      ->transform(CLI::AsSizeValue(false))
      ->capture_default_str();
  app.add_option("--max-workbook-size", arguments.limits.maxTotalBytes,
                 "refuse a workbook whose parts inflate to more than SIZE (e.g. 8GB)")
      ->type_name("SIZE")
      ->transform(CLI::AsSizeValue(false))
      ->capture_default_str();
  bool yes = false;
  bool no = false;
  auto* yesFlag = app.add_flag("--yes", yes, "answer Yes to a Yes/No question");
  app.add_flag("--no", no, "answer No to a Yes/No question (default: ask on a terminal, else the default button)")
      ->excludes(yesFlag);

  for (const Verb& verb : Verbs()) {
    CLI::App* command = app.add_subcommand(verb.name, verb.help)->group("Verbs");
    if (verb.operands != nullptr) {
      command->add_option(std::string(verb.operands) + " WORKBOOK", arguments.operands, "then the workbook file")
          ->type_name("")
          ->required();
      command->callback([&arguments, &verb] {
        if (arguments.operands.size() < 2) {
          throw CLI::ValidationError(std::string(verb.name) + " needs " + verb.operands + " and WORKBOOK");
        }
        arguments.verb = verb.name;
        arguments.workbook = arguments.operands.back();
        arguments.operands.pop_back();
      });
      continue;
    }
    if (verb.takesWorkbook) {
      command->add_option("WORKBOOK", arguments.workbook, "the workbook file (.xlsx, .xlsm, .xltx, .xltm)")
          ->type_name("")
          ->required(verb.needsWorkbook);
    }
    command->callback([&arguments, &verb] { arguments.verb = verb.name; });
  }
  CLI::App* addins = app.get_subcommand("addins");
  auto* install = addins->add_option("--install", arguments.install, "list the add-in if needed and install it")
                      ->type_name("PROGID");
  addins->add_option("--uninstall", arguments.uninstall, "uninstall the add-in, keeping it listed")
      ->type_name("PROGID")
      ->excludes(install);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::cout << app.help();
    return ExitStatus::Ran;
  } catch (const CLI::CallForVersion&) {
    std::cout << VersionText() << '\n';
    return ExitStatus::Ran;
  } catch (const CLI::ParseError& error) {
    if (app.get_subcommands().empty()) {
      if (app.remaining().empty()) return UsageError("a verb is required");
      return UsageError("unknown verb \"" + app.remaining().front() + "\"");
    }
    return UsageError(error.what());
  }
  if (arguments.output && !arguments.workbook) return UsageError("--output needs a WORKBOOK");
  if (yes) arguments.answer = Answer::Yes;
  if (no) arguments.answer = Answer::No;
  return arguments;
}

}  // namespace tabulara::cli
