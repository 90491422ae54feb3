#include "embedded/objects/host_context.h"

namespace tabulara::embedded {

HostContext::HostContext()
    : runtime(std::make_shared<Runtime>()),
      clipboard(std::make_shared<Clipboard>()),
      commandBars(runtime, clipboard),
      addIns(runtime) {}

}  // namespace tabulara::embedded
