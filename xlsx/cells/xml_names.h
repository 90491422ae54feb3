#pragma once

#include <cstring>
#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace tabulara::xlsx {

// Workbook parts are read whatever prefix their writer gave the main
// namespace ("x:c" as well as "c"); new elements take the prefix of their
// parent.

inline const char* LocalName(const pugi::xml_node& node) {
  const char* colon = std::strchr(node.name(), ':');
  return colon != nullptr ? colon + 1 : node.name();
}

inline bool IsNamed(const pugi::xml_node& node, std::string_view local) { return LocalName(node) == local; }

inline std::string PrefixOf(const pugi::xml_node& node) {
  const char* colon = std::strchr(node.name(), ':');
  return colon != nullptr ? std::string(node.name(), colon + 1) : std::string();
}

// The first child element with this local name.
inline pugi::xml_node ChildNamed(const pugi::xml_node& parent, std::string_view local) {
  for (const pugi::xml_node child : parent.children()) {
    if (child.type() == pugi::node_element && IsNamed(child, local)) return child;
  }
  return {};
}

// `local` with the prefix of `parent`, for a new child of it.
inline std::string ChildName(const pugi::xml_node& parent, std::string_view local) {
  return PrefixOf(parent) + std::string(local);
}

}  // namespace tabulara::xlsx
