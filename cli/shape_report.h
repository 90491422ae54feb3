#pragma once

#include <iosfwd>

#include "embedded/model/sheet.h"

namespace tabulara::cli {

// A sheet's shapes in z-order, one a line, fields separated by tabs: the
// name; the kind ("line", "picture", "comment box", "auto shape", ...) with
// the auto-shape type of boxes ("comment box 5"); a line's begin and end
// points ("from 0,15 to 480000,15"), else the box ("box 10,20 96x55.5"),
// in points; "weight W"; the fore colour ("scheme 10", "rgb #RRGGBB")
// when it has one; "not printed" when it is not printed.
void PrintShapes(std::ostream& out, const embedded::model::Sheet& sheet);

}  // namespace tabulara::cli
