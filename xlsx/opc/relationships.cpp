#include "xlsx/opc/relationships.h"

#include <algorithm>
#include <vector>

#include "xlsx/package/package_error.h"
#include "xlsx/xml/xml_part.h"

namespace tabulara::xlsx {
namespace {

constexpr const char* kRelationshipsNamespace = "http://schemas.openxmlformats.org/package/2006/relationships";

std::string FolderOf(const std::string& partName) {
  const auto slash = partName.rfind('/');
  return slash == std::string::npos ? "" : partName.substr(0, slash);
}

std::vector<std::string> Segments(const std::string& path) {
  std::vector<std::string> segments;
  std::size_t start = 0;
  while (start <= path.size()) {
    const auto slash = path.find('/', start);
    const auto end = slash == std::string::npos ? path.size() : slash;
    if (end > start) segments.push_back(path.substr(start, end - start));
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  return segments;
}

}  // namespace

Relationships::Relationships(std::string_view bytes, const std::string& relsPartName) {
  const pugi::xml_document document = ParseXmlPart(bytes, relsPartName);
  for (const pugi::xml_node node : document.document_element().children("Relationship")) {
    Relationship relationship;
    relationship.id = node.attribute("Id").value();
    relationship.type = node.attribute("Type").value();
    relationship.target = node.attribute("Target").value();
    relationship.external = std::string_view(node.attribute("TargetMode").value()) == "External";
    items_.push_back(std::move(relationship));
  }
  IndexIds();
}

void Relationships::IndexIds() {
  positions_.clear();
  for (std::size_t i = 0; i < items_.size(); ++i) positions_.try_emplace(items_[i].id, i);
}

const Relationship* Relationships::Find(const std::string& id) const {
  const auto found = positions_.find(id);
  return found != positions_.end() ? &items_[found->second] : nullptr;
}

const Relationship* Relationships::FindType(const std::string& type) const {
  for (const Relationship& relationship : items_) {
    if (relationship.type == type) return &relationship;
  }
  return nullptr;
}

std::vector<const Relationship*> Relationships::OfType(const std::string& type) const {
  std::vector<const Relationship*> found;
  for (const Relationship& relationship : items_) {
    if (relationship.type == type) found.push_back(&relationship);
  }
  return found;
}

std::string Relationships::Add(const std::string& type, const std::string& target, bool external) {
  while (Find("rId" + std::to_string(freshFrom_)) != nullptr) ++freshFrom_;
  std::string id = "rId" + std::to_string(freshFrom_++);
  positions_.try_emplace(id, items_.size());
  items_.push_back(Relationship{id, type, target, external});
  changed_ = true;
  return id;
}

void Relationships::Remove(const std::string& id) {
  const auto removed = std::erase_if(items_, [&](const Relationship& relationship) { return relationship.id == id; });
  changed_ = changed_ || removed > 0;
  if (removed == 0) return;
  IndexIds();
  freshFrom_ = 1;
}

std::string Relationships::Serialize() const {
  pugi::xml_document document;
  auto declaration = document.append_child(pugi::node_declaration);
  declaration.append_attribute("version") = "1.0";
  declaration.append_attribute("encoding") = "UTF-8";
  declaration.append_attribute("standalone") = "yes";
  auto root = document.append_child("Relationships");
  root.append_attribute("xmlns") = kRelationshipsNamespace;
  for (const Relationship& relationship : items_) {
    auto node = root.append_child("Relationship");
    node.append_attribute("Id") = relationship.id.c_str();
    node.append_attribute("Type") = relationship.type.c_str();
    node.append_attribute("Target") = relationship.target.c_str();
    if (relationship.external) node.append_attribute("TargetMode") = "External";
  }
  return SerializeXmlPart(document);
}

std::string RelsPartNameOf(const std::string& partName) {
  const auto folder = FolderOf(partName);
  const auto file = partName.substr(folder.empty() ? 0 : folder.size() + 1);
  return (folder.empty() ? "" : folder + "/") + "_rels/" + file + ".rels";
}

std::string ResolveTarget(const std::string& sourcePart, const std::string& target) {
  std::vector<std::string> segments = target.starts_with('/') ? std::vector<std::string>{} : Segments(FolderOf(sourcePart));
  for (const std::string& segment : Segments(target)) {
    if (segment == "..") {
      if (segments.empty()) throw PackageError("the relationship target " + target + " leaves the package");
      segments.pop_back();
    } else if (segment != ".") {
      segments.push_back(segment);
    }
  }
  std::string resolved;
  for (const std::string& segment : segments) resolved += (resolved.empty() ? "" : "/") + segment;
  return resolved;
}

std::string RelativeTarget(const std::string& sourcePart, const std::string& targetPart) {
  const auto from = Segments(FolderOf(sourcePart));
  const auto to = Segments(targetPart);
  std::size_t common = 0;
  while (common < from.size() && common + 1 < to.size() && from[common] == to[common]) ++common;
  std::string target;
  for (std::size_t i = common; i < from.size(); ++i) target += "../";
  for (std::size_t i = common; i < to.size(); ++i) target += to[i] + (i + 1 < to.size() ? "/" : "");
  return target;
}

}  // namespace tabulara::xlsx
