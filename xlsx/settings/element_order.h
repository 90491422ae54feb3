#pragma once

#include <span>
#include <string_view>

#include <pugixml.hpp>

namespace tabulara::xlsx::settings {

// The child of `parent` with that local name, added where the schema's
// order wants it: after the last child among `preceding` (the elements that
// come before it), else first. A new element takes the parent's prefix.
pugi::xml_node ObtainChild(pugi::xml_node parent, std::string_view localName,
                           std::span<const std::string_view> preceding);

// Sets an attribute to "1" when `on`, removes it otherwise; whether it changed.
bool SetFlag(pugi::xml_node node, const char* attribute, bool on);

}  // namespace tabulara::xlsx::settings
