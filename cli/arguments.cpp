#include "cli/arguments.h"

#include <CLI/CLI.hpp>

#include <iostream>

#include "cli/terminal_text.h"
#include "cli/verbs.h"

namespace tabulara::cli {
namespace {

constexpr const char* kUsage = "usage: tabulara VERB [options] [WORKBOOK]";

std::string VersionText() {
  return "tabulara " + std::to_string(TABULARA_VERSION_MAJOR) + "." + std::to_string(TABULARA_VERSION_MINOR) + "." +
         std::to_string(TABULARA_VERSION_REVISION);
}

ExitStatus UsageError(const std::string& message) {
  std::cerr << "tabulara: " << TerminalLines(message) << '\n'
            << kUsage << '\n'
            << "Run 'tabulara --help' for the verbs and options.\n";
  return ExitStatus::Failure;
}

}  // namespace

std::variant<Arguments, ExitStatus> ParseArguments(int argc, char** argv) {
  Arguments arguments;
  CLI::App app("Runs the Tabulara add-in on workbook files, the way the spreadsheet host runs it.", "tabulara");
  app.set_version_flag("--version", VersionText());
  app.footer(
      "Shell commands, one a line ('#' starts a comment):\n"
      "  open FILE      open a workbook in place of the open one\n"
      "  save [FILE]    save the workbook (to FILE, else to --output or where it came from)\n"
      "  sheet NAME     make a sheet active\n"
      "  get REF        a cell's value and formula on the active sheet\n"
      "  info           the sheets and the active sheet\n"
      "  quit           end the session\n"
      "\n"
      "Exit status: 0 the command ran; 1 the add-in reported an error (nothing is saved);\n"
      "2 a usage error, or a file that cannot be read or written.\n");
  app.get_formatter()->label("SUBCOMMAND", "VERB");
  app.get_formatter()->label("Subcommands", "Verbs");
  app.require_subcommand(1);
  // Options may stand before or after the verb.
  app.fallthrough();
  app.add_option("-o,--output", arguments.output, "write a changed workbook to this file, leave WORKBOOK as it was")
      ->type_name("FILE");
  app.add_option("--sheet", arguments.sheet, "make this sheet active first")->type_name("NAME");
  app.add_option("--select", arguments.select, "select these cells first (areas separated by commas)")
      ->type_name("RANGE");
  app.add_option("--cell", arguments.cell, "make this cell the active cell first")->type_name("REF");
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
    CLI::App* command = app.add_subcommand(verb.name, verb.help);
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
    command->add_option("WORKBOOK", arguments.workbook, "the workbook file (.xlsx, .xlsm, .xltx, .xltm)")
        ->type_name("")
        ->required(verb.needsWorkbook);
    command->callback([&arguments, &verb] { arguments.verb = verb.name; });
  }

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
  if (yes) arguments.answer = Answer::Yes;
  if (no) arguments.answer = Answer::No;
  return arguments;
}

}  // namespace tabulara::cli
