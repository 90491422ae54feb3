#include "xlsx/strings/shared_strings_aspect.h"

#include <cstdlib>

#include "xlsx/aspects.h"
#include "xlsx/xml/xml_names.h"
#include "xlsx/strings/xstring.h"
#include "xlsx/xml/xml_part.h"

namespace tabulara::xlsx {
namespace {

constexpr const char* kMainNamespace = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

bool IsPlainItem(const pugi::xml_node& item) {
  for (const pugi::xml_node child : item.children()) {
    if (!IsNamed(child, "t")) return false;
  }
  return true;
}

void SetCount(pugi::xml_node root, const char* name, std::int64_t value) {
  pugi::xml_attribute attribute = root.attribute(name);
  if (!attribute) attribute = root.append_attribute(name);
  attribute.set_value(std::to_string(value < 0 ? 0 : value).c_str());
}

}  // namespace

void SharedStringsAspect::Read(WorkbookParts& parts) {
  pool_ = &parts.workbook->strings;
  const Relationship* relationship = parts.RelationshipsOf(parts.workbookPart).FindType(kRelSharedStrings);
  if (relationship == nullptr) return;
  const std::string name = ResolveTarget(parts.workbookPart, relationship->target);
  const auto stored = parts.package.Find(name);
  if (!stored) return;
  partName_ = *stored;
  xml_ = ParseXmlPart(parts.package.Read(partName_), partName_);
  exists_ = true;
  embedded::model::StringPool& pool = parts.workbook->strings;
  std::uint32_t index = 0;
  for (const pugi::xml_node item : xml_.document_element().children()) {
    if (!IsNamed(item, "si")) continue;
    const std::uint32_t id = pool.Intern(PlainTextOf(item));
    poolIds_.push_back(id);
    if (IsPlainItem(item)) NotePlainItem(id, index);
    ++index;
  }
}

std::optional<std::uint32_t> SharedStringsAspect::PoolIdOf(std::size_t index) const {
  if (index >= poolIds_.size()) return std::nullopt;
  return poolIds_[index];
}

bool SharedStringsAspect::NotePlainItem(std::uint32_t poolId, std::uint32_t index) {
  if (poolId >= plainItems_.size()) plainItems_.resize(poolId + 1, kNoItem);
  if (plainItems_[poolId] != kNoItem) return false;
  plainItems_[poolId] = index;
  return true;
}

std::uint32_t SharedStringsAspect::IndexFor(const embedded::model::StringPool& pool, std::uint32_t poolId) {
  pool_ = &pool;
  if (NotePlainItem(poolId, static_cast<std::uint32_t>(poolIds_.size()))) {
    poolIds_.push_back(poolId);
    appended_.push_back(poolId);
  }
  return plainItems_[poolId];
}

void SharedStringsAspect::CreatePart(WorkbookParts& parts) {
  partName_ = ResolveTarget(parts.workbookPart, "sharedStrings.xml");
  auto declaration = xml_.append_child(pugi::node_declaration);
  declaration.append_attribute("version") = "1.0";
  declaration.append_attribute("encoding") = "UTF-8";
  declaration.append_attribute("standalone") = "yes";
  auto root = xml_.append_child("sst");
  root.append_attribute("xmlns") = kMainNamespace;
  root.append_attribute("count") = "0";
  root.append_attribute("uniqueCount") = "0";
  parts.RelationshipsOf(parts.workbookPart)
      .Add(kRelSharedStrings, RelativeTarget(parts.workbookPart, partName_));
  parts.contentTypes.Override(partName_, kContentTypeSharedStrings);
  exists_ = true;
}

void SharedStringsAspect::Write(WorkbookParts& parts) {
  if (appended_.empty() && countDelta_ == 0) return;
  if (!exists_) CreatePart(parts);
  pugi::xml_node root = xml_.document_element();
  const std::string itemName = NameLike(root, "si");
  for (const std::uint32_t id : appended_) WritePlainText(root.append_child(itemName.c_str()), pool_->Text(id));
  if (root.attribute("count")) SetCount(root, "count", std::atoll(root.attribute("count").value()) + countDelta_);
  SetCount(root, "uniqueCount", static_cast<std::int64_t>(poolIds_.size()));
  parts.package.Write(partName_, SerializeXmlPart(xml_));
  appended_.clear();
  countDelta_ = 0;
}

std::unique_ptr<WorkbookAspect> MakeSharedStringsAspect() { return std::make_unique<SharedStringsAspect>(); }

}  // namespace tabulara::xlsx
