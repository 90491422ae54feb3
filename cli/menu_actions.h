#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/host_session.h"

namespace tabulara::cli {

// The caption the add-in gives a catalogue entry, as its menu shows it.
std::string MenuCaption(const char* key);

// A user's click on a menu item: an item of the add-in's pop-up ("Sheets
// Sort") or a path from the worksheet menu bar
// ("Tabulara/Miscellaneous/Run MSN"). An error the add-in passes back is the
// session's; std::invalid_argument when no such item is shown.
void ClickMenuItem(HostSession& session, const std::string& captionOrPath);

// A user's click on an item of the cell context menu, reached through its
// pop-ups ({"Comment Style", "Style 5"}), as the menu shows after a
// right-click on `cell`; std::invalid_argument when it is not shown.
void ClickContextMenuItem(HostSession& session, const std::vector<std::string>& captions, const std::string& cell);

// The cell context menu as it shows: "Cell:", then every visible control,
// indented by depth, the items of visible pop-ups under them, "----" for a
// group line (a hidden control's above the next one shown), captions
// without their accelerator marks.
void PrintContextMenu(std::ostream& out, HostSession& session);

// The add-in's menus as the host shows them: one item a line, indented by
// depth, "----" for a group line, "(hidden)" after hidden items.
void PrintMenus(std::ostream& out, HostSession& session);

}  // namespace tabulara::cli
