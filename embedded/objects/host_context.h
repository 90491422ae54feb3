#pragma once

#include <functional>
#include <memory>
#include <string>

#include "embedded/addin_list.h"
#include "embedded/clipboard.h"
#include "embedded/command_bar_set.h"
#include "embedded/model/application.h"
#include "embedded/objects/event_hub.h"
#include "embedded/runtime.h"

namespace tabulara::embedded {

// Reads a template file into a workbook of its own; raises the host's error
// (UnreadableFile) when it cannot.
using TemplateLoader = std::function<std::shared_ptr<model::Workbook>(const std::string& path)>;

// Everything one embedded host holds, shared by its facade and by every
// reference it hands out.
struct HostContext {
  explicit HostContext(std::shared_ptr<Clipboard> sharedClipboard);

  std::shared_ptr<Runtime> runtime;
  std::shared_ptr<Clipboard> clipboard;
  model::Application application;
  EventHub events;
  TemplateLoader templateLoader;
  CommandBarSet commandBars;
  AddInList addIns;
};

using Context = std::shared_ptr<HostContext>;

}  // namespace tabulara::embedded
