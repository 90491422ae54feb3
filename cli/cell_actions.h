#pragma once

#include <iosfwd>
#include <string>

#include "cli/host_session.h"

namespace tabulara::cli {

// What a user does with the mouse on a cell of the active sheet, `cell`
// being a reference on it ("B2"). Each throws std::invalid_argument when
// the active sheet has no cells (a chart sheet); an error the add-in
// passes back is the session's.

// The active sheet's shapes, as PrintShapes shows them.
void PrintActiveSheetShapes(std::ostream& out, HostSession& session);

// The active cell of the active sheet, as "B2".
std::string ActiveCellReference(HostSession& session);

void DoubleClickCell(HostSession& session, const std::string& cell);
void RightClickCell(HostSession& session, const std::string& cell);

// The number of a comment style, 1 to 10; std::invalid_argument otherwise.
int CommentStyleNumber(const std::string& text);

// Right-clicks `cell`, then clicks "Comment Style" and its item `style` in
// the context menu; std::invalid_argument when they are not shown.
void ApplyCommentStyle(HostSession& session, int style, const std::string& cell);

}  // namespace tabulara::cli
