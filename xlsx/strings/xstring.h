#pragma once

#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace tabulara::xlsx {

// Cell texts in workbook XML escape characters that XML cannot carry
// (control characters, a lone carriage return) as "_xHHHH_"; a literal
// "_x0041_" is written with its underscore escaped, "_x005F_x0041_".

std::string DecodeXstring(std::string_view text);
std::string EncodeXstring(std::string_view text);

// The plain text of a string item (<si>, <is>): its <t>, or the <t> of its
// runs in order; phonetic runs (<rPh>) are not part of the text.
std::string PlainTextOf(const pugi::xml_node& item);

// Whether an encoded text keeps its blanks only with xml:space="preserve".
bool NeedsPreservedSpace(std::string_view encoded);

// Fills an empty string item with one <t> holding `text`, its blanks kept.
void WritePlainText(pugi::xml_node item, std::string_view text);

}  // namespace tabulara::xlsx
