#pragma once

#include <iosfwd>
#include <string>

#include "cli/host_session.h"

namespace tabulara::cli {

// The caption the add-in gives a catalogue entry, as its menu shows it.
std::string MenuCaption(const char* key);

// A user's click on a menu item: an item of the add-in's pop-up ("Sheets
// Sort") or a path from the worksheet menu bar
// ("Tabulara/Miscellaneous/Run MSN"). An error the add-in passes back is the
// session's; std::invalid_argument when no such item is shown.
void ClickMenuItem(HostSession& session, const std::string& captionOrPath);

// The add-in's menus as the host shows them: one item a line, indented by
// depth, "----" for a group line, "(hidden)" after hidden items.
void PrintMenus(std::ostream& out, HostSession& session);

}  // namespace tabulara::cli
