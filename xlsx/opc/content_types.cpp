#include "xlsx/opc/content_types.h"

#include <algorithm>
#include <cctype>

#include "xlsx/xml/xml_part.h"

namespace tabulara::xlsx {
namespace {

std::string Absolute(const std::string& partName) { return partName.starts_with('/') ? partName : "/" + partName; }

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

}  // namespace

ContentTypes::ContentTypes(std::string_view bytes) : document_(ParseXmlPart(bytes, "[Content_Types].xml")) {
  for (const pugi::xml_node node : document_.document_element().children("Override")) IndexOverride(node);
}

void ContentTypes::IndexOverride(const pugi::xml_node& node) {
  overrides_.emplace(LowerCase(node.attribute("PartName").value()), node.attribute("ContentType").value());
}

std::string ContentTypes::Of(const std::string& partName) const {
  const std::string name = Absolute(partName);
  if (const auto found = overrides_.find(LowerCase(name)); found != overrides_.end()) return found->second;
  const pugi::xml_node types = document_.document_element();
  const auto dot = name.rfind('.');
  const std::string extension = dot == std::string::npos ? "" : name.substr(dot + 1);
  for (const pugi::xml_node node : types.children("Default")) {
    if (SameIgnoringCase(node.attribute("Extension").value(), extension)) return node.attribute("ContentType").value();
  }
  return "";
}

void ContentTypes::Override(const std::string& partName, const std::string& contentType) {
  const std::string name = Absolute(partName);
  pugi::xml_node types = document_.document_element();
  for (pugi::xml_node node : types.children("Override")) {
    if (SameIgnoringCase(node.attribute("PartName").value(), name)) {
      if (contentType != node.attribute("ContentType").value()) {
        node.attribute("ContentType").set_value(contentType.c_str());
        overrides_[LowerCase(name)] = contentType;
        changed_ = true;
      }
      return;
    }
  }
  pugi::xml_node node = types.append_child("Override");
  node.append_attribute("PartName") = name.c_str();
  node.append_attribute("ContentType") = contentType.c_str();
  IndexOverride(node);
  changed_ = true;
}

void ContentTypes::RemoveOverride(const std::string& partName) {
  const std::string name = Absolute(partName);
  pugi::xml_node types = document_.document_element();
  for (pugi::xml_node node : types.children("Override")) {
    if (SameIgnoringCase(node.attribute("PartName").value(), name)) {
      types.remove_child(node);
      overrides_.erase(LowerCase(name));
      for (const pugi::xml_node other : types.children("Override")) {
        if (SameIgnoringCase(other.attribute("PartName").value(), name)) IndexOverride(other);
      }
      changed_ = true;
      return;
    }
  }
}

void ContentTypes::EnsureDefault(const std::string& extension, const std::string& contentType) {
  pugi::xml_node types = document_.document_element();
  for (const pugi::xml_node node : types.children("Default")) {
    if (SameIgnoringCase(node.attribute("Extension").value(), extension)) return;
  }
  pugi::xml_node node = types.prepend_child("Default");
  node.append_attribute("Extension") = extension.c_str();
  node.append_attribute("ContentType") = contentType.c_str();
  changed_ = true;
}

std::string ContentTypes::Serialize() const { return SerializeXmlPart(document_); }

}  // namespace tabulara::xlsx
