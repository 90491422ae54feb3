#pragma once

#include <pugixml.hpp>

#include "embedded/model/shape.h"

namespace tabulara::xlsx {

// Reads a shape's a:ln (in its spPr) into a line format; what the element
// leaves out keeps the format's defaults. A theme colour leaves the fore
// colour unset.
embedded::model::LineFormat ReadLineFormat(const pugi::xml_node& shapeProperties);

// Writes a line format into a shape's spPr, creating or editing its a:ln:
// the width, the dash and the fore colour (a scheme colour as the RGB of the
// host's default palette); the rest of the a:ln is kept.
void WriteLineFormat(pugi::xml_node shapeProperties, const embedded::model::LineFormat& line);

// The RGB (0x00BBGGRR) of a scheme colour of the host's default palette;
// -1 outside it.
std::int32_t SchemeColorRgb(int schemeColor);

}  // namespace tabulara::xlsx
