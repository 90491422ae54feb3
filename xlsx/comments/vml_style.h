#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tabulara::xlsx {

// A property of a VML style attribute ("margin-left" of
// "position:absolute;margin-left:166.5pt;..."), white space trimmed.
std::optional<std::string> StyleProperty(std::string_view style, std::string_view name);
// The style with the property set: replaced where it stands, else appended.
std::string WithStyleProperty(std::string_view style, std::string_view name, std::string_view value);
// A length of a VML style in points ("166.5pt", "2in", "12px"); 0 when unreadable.
double StylePoints(std::string_view length);

}  // namespace tabulara::xlsx
