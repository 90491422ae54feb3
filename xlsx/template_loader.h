#pragma once

#include "embedded/objects/host_context.h"

namespace tabulara::xlsx {

// The embedded host's template reader (EmbeddedHost::SetTemplateLoader):
// reads a template, or any workbook file, into a model workbook of its own;
// a file it cannot read raises the host's UnreadableFile.
embedded::TemplateLoader MakeTemplateLoader();

}  // namespace tabulara::xlsx
