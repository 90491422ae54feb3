#include "embedded/objects/host_context.h"

namespace tabulara::embedded {

HostContext::HostContext(std::shared_ptr<Clipboard> sharedClipboard)
    : runtime(std::make_shared<Runtime>()),
      clipboard(std::move(sharedClipboard)),
      commandBars(runtime, clipboard),
      addIns(runtime) {}

}  // namespace tabulara::embedded
