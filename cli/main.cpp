#include <malloc.h>

#include <cstdlib>
#include <variant>

#include "cli/arguments.h"
#include "cli/verbs.h"
#include "xlsx/system/interrupt_cleanup.h"

int main(int argc, char** argv) {
  using namespace tabulara::cli;
  tabulara::xlsx::CleanUpOnInterrupt();
  // Without TZ the C library reads the zone file again on every local time
  // it works out, and the zip library works one out for every part.
  ::setenv("TZ", ":/etc/localtime", 0);
  // A workbook of many small parts makes the heap grow in small steps, a
  // system call each; grow it in large ones.
  constexpr int kHeapStep = 16 << 20;
  ::mallopt(M_TOP_PAD, kHeapStep);
  auto parsed = ParseArguments(argc, argv);
  if (const auto* status = std::get_if<ExitStatus>(&parsed)) return static_cast<int>(*status);
  const Arguments& arguments = std::get<Arguments>(parsed);
  for (const Verb& verb : Verbs()) {
    if (arguments.verb == verb.name) return static_cast<int>(verb.run(arguments));
  }
  return static_cast<int>(ExitStatus::Failure);
}
