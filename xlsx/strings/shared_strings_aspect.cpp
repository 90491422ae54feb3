#include "xlsx/strings/shared_strings_aspect.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <vector>

#include "xlsx/aspects.h"
#include "xlsx/package/huge_pages.h"
#include "xlsx/strings/plain_strings.h"
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
  exists_ = true;
  std::string bytes = parts.package.Take(partName_);
  embedded::model::StringPool& pool = parts.workbook->strings;
  if (std::optional<PlainStrings> plain = ScanPlainStrings(bytes)) {
    for (const PlainStrings::Text& text : plain->texts) {
      const std::string unescaped = text.escaped ? UnescapeText(text.raw) : std::string();
      const std::string_view pcdata = text.escaped ? std::string_view(unescaped) : text.raw;
      const std::uint32_t id = pcdata.find('_') == std::string_view::npos ? pool.Intern(pcdata)
                                                                           : pool.Intern(DecodeXstring(pcdata));
      NotePlainItem(id, static_cast<std::uint32_t>(poolIds_.size()));
      poolIds_.push_back(id);
    }
    plain->texts.clear();
    plain_ = std::move(plain);
    source_ = std::move(bytes);
    return;
  }
  xml_ = ParseXmlPart(bytes, partName_);
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
  if (plain_) {
    WriteSource(parts);
    return;
  }
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

// The part as read, with its counts set and the items appended before its
// end, printed as pugixml prints them.
void SharedStringsAspect::WriteSource(WorkbookParts& parts) {
  PlainStrings& plain = *plain_;
  pugi::xml_document added;
  pugi::xml_node holder = added.append_child("sst");
  for (const std::uint32_t id : appended_) WritePlainText(holder.append_child("si"), pool_->Text(id));
  std::string items;
  for (const pugi::xml_node item : holder.children()) AppendXml(item, items);

  // The root's count values replaced, or uniqueCount added last: each
  // replaces the bytes [begin, end) of the part with `text`, which holds the
  // value noted from `valueAt` on.
  struct Edit {
    std::size_t begin;
    std::size_t end;
    std::string text;
    std::size_t valueAt;
    std::size_t valueSize;
    std::optional<PlainStrings::Value>* noted;
  };
  const auto countText = [](std::int64_t value) { return std::to_string(value < 0 ? 0 : value); };
  std::vector<Edit> edits;
  if (plain.count) {
    const std::string old = source_.substr(plain.count->begin, plain.count->end - plain.count->begin);
    const std::string count = countText(std::atoll(old.c_str()) + countDelta_);
    edits.push_back({plain.count->begin, plain.count->end, count, 0, count.size(), &plain.count});
  }
  const std::string unique = countText(static_cast<std::int64_t>(poolIds_.size()));
  if (plain.uniqueCount) {
    edits.push_back({plain.uniqueCount->begin, plain.uniqueCount->end, unique, 0, unique.size(), &plain.uniqueCount});
  } else {
    const std::string attribute = " uniqueCount=\"";
    edits.push_back({plain.rootTagEnd, plain.rootTagEnd, attribute + unique + "\"", attribute.size(), unique.size(),
                     &plain.uniqueCount});
  }
  std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.begin < b.begin; });

  std::string written;
  ReserveLargeText(written, source_.size() + items.size() + 64);
  std::size_t copied = 0;
  for (const Edit& edit : edits) {
    written.append(source_, copied, edit.begin - copied);
    const std::size_t valueBegin = written.size() + edit.valueAt;
    *edit.noted = PlainStrings::Value{valueBegin, valueBegin + edit.valueSize};
    written += edit.text;
    copied = edit.end;
  }
  // Every edit stands in the root's start tag, before its '>': what follows
  // the last moves by as much as the edits changed the length.
  const std::size_t edited = written.size();
  written.append(source_, copied, plain.itemsEnd - copied);
  written += items;
  written.append(source_, plain.itemsEnd);
  plain.rootTagEnd = edited + (plain.rootTagEnd - copied);
  plain.itemsEnd = edited + (plain.itemsEnd - copied) + items.size();

  parts.package.Write(partName_, written);
  source_ = std::move(written);
  appended_.clear();
  countDelta_ = 0;
}

std::unique_ptr<WorkbookAspect> MakeSharedStringsAspect() { return std::make_unique<SharedStringsAspect>(); }

}  // namespace tabulara::xlsx
