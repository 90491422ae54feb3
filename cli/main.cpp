#include <variant>

#include "cli/arguments.h"
#include "cli/verbs.h"

int main(int argc, char** argv) {
  using namespace tabulara::cli;
  auto parsed = ParseArguments(argc, argv);
  if (const auto* status = std::get_if<ExitStatus>(&parsed)) return static_cast<int>(*status);
  const Arguments& arguments = std::get<Arguments>(parsed);
  for (const Verb& verb : Verbs()) {
    if (arguments.verb == verb.name) return static_cast<int>(verb.run(arguments));
  }
  return static_cast<int>(ExitStatus::Failure);
}
