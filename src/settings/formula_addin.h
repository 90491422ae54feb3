#pragma once

namespace tabulara::settings {

// Installs (`load` true) or uninstalls the worksheet functions in the host's
// automation add-ins list, adding them to the list when they are not there.
// The host's refusal ends it silently.
void LoadFormulaAddIn(bool load);

}  // namespace tabulara::settings
