#pragma once

#include <functional>
#include <span>

#include "cli/arguments.h"
#include "cli/exit_status.h"

namespace tabulara::cli {

class HostSession;

// A verb of the command line.
struct Verb {
  const char* name;
  // Whether WORKBOOK must be given (else it may be).
  bool needsWorkbook;
  const char* help;
  ExitStatus (*run)(const Arguments& arguments);
  // The name of what it takes before WORKBOOK ("NAME", "CAPTION..."), or
  // none.
  const char* operands = nullptr;
  // Whether it takes a WORKBOOK at all.
  bool takesWorkbook = true;
};

// Every verb, in the order the help lists them.
std::span<const Verb> Verbs();

// What a one-shot verb does in the host once the workbook is open and the
// add-in connected.
using VerbAction = std::function<void(HostSession& session)>;

// The frame of every one-shot verb: opens WORKBOOK, makes the --sheet sheet
// active, loads and connects the add-in, runs `action`, and when the
// add-in reported no error, saves the workbook to the --output file (also
// when it did not change) or, when it changed and still differs after the
// host's before-save event, back to WORKBOOK.
ExitStatus RunOnWorkbook(const Arguments& arguments, const VerbAction& action);

}  // namespace tabulara::cli
