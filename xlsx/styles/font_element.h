#pragma once

#include <pugixml.hpp>

#include "embedded/model/format_table.h"

namespace tabulara::xlsx {

// A <font> of the style sheet as the model's font; what it leaves out
// comes from `defaults`.
embedded::model::Font ReadFont(const pugi::xml_node& font, const embedded::model::Font& defaults);

// Writes the parts of `font` that differ from `original` into a <font>,
// keeping everything else (colour, family, charset, underline ...). A new
// name drops the theme scheme, which would otherwise override it.
void ApplyFont(pugi::xml_node font, const embedded::model::Font& wanted, const embedded::model::Font& original);

// Turns a copy of the Normal style's font into the Hyperlink style's: single
// underline, in the theme's hyperlink colour.
void MakeHyperlinkFont(pugi::xml_node font);

}  // namespace tabulara::xlsx
