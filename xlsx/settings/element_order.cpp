#include "xlsx/settings/element_order.h"

#include <algorithm>
#include <string>

#include "xlsx/xml/xml_names.h"

namespace tabulara::xlsx::settings {

pugi::xml_node ObtainChild(pugi::xml_node parent, std::string_view localName,
                           std::span<const std::string_view> preceding) {
  if (pugi::xml_node existing = ChildNamed(parent, localName)) return existing;
  pugi::xml_node after;
  for (pugi::xml_node child : parent.children()) {
    if (child.type() == pugi::node_element &&
        std::find(preceding.begin(), preceding.end(), LocalName(child)) != preceding.end()) {
      after = child;
    }
  }
  const std::string prefix = PrefixOf(parent);
  const std::string name = prefix.empty() ? std::string(localName) : std::string(prefix) + ":" + std::string(localName);
  return after ? parent.insert_child_after(name.c_str(), after) : parent.prepend_child(name.c_str());
}

bool SetFlag(pugi::xml_node node, const char* attribute, bool on) {
  pugi::xml_attribute existing = node.attribute(attribute);
  if (!on) return existing && node.remove_attribute(existing);
  if (std::string_view(existing.value()) == "1") return false;
  if (!existing) existing = node.append_attribute(attribute);
  existing.set_value("1");
  return true;
}

}  // namespace tabulara::xlsx::settings
