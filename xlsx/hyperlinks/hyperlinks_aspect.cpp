#include <algorithm>
#include <optional>
#include <vector>

#include "embedded/rules/reference_text.h"
#include "xlsx/aspects.h"
#include "xlsx/drawing/worksheet_order.h"
#include "xlsx/drawing/xml_lookup.h"
#include "xlsx/hyperlinks/hyperlink_location.h"

namespace tabulara::xlsx {

using namespace markup;
namespace {

using embedded::model::Hyperlink;

bool SameLink(const Hyperlink& a, const Hyperlink& b) {
  return a.anchor == b.anchor && a.address == b.address && a.subAddress == b.subAddress;
}

// "C4" or "B2:C3" for an anchor.
std::string RelativeRef(const embedded::model::CellRect& anchor) {
  std::string ref = embedded::AreaAddress(anchor);
  std::erase(ref, '$');
  return ref;
}

// One <hyperlink> of the file with what it read as.
struct ReadLink {
  pugi::xml_node element;
  Hyperlink link;
};

class HyperlinksAspect : public SheetAspect {
 public:
  void Read(WorkbookParts& parts, SheetPart& sheet) override {
    read_.clear();
    sheet.sheet->hyperlinks().clear();
    pugi::xml_node list = ChildNamed(sheet.xml.document_element(), "hyperlinks");
    Relationships& relationships = parts.RelationshipsOf(sheet.partName);
    for (pugi::xml_node element : list.children()) {
      if (LocalName(element) != "hyperlink") continue;
      auto anchor = embedded::ParseReference(AttributeNamed(element, "ref").value());
      if (!anchor || anchor->size() != 1) continue;
      Hyperlink link{anchor->front(), {}, AttributeNamed(element, "location").value()};
      if (pugi::xml_attribute id = AttributeNamed(element, "id")) {
        if (const Relationship* target = relationships.Find(id.value())) link.address = target->target;
      }
      read_.push_back({element, link});
      sheet.sheet->hyperlinks().push_back(link);
    }
  }

  bool Write(WorkbookParts& parts, SheetPart& sheet) override {
    const std::vector<Hyperlink>& now = sheet.sheet->hyperlinks();
    if (Unchanged(now)) return false;
    std::vector<bool> taken(read_.size(), false);
    std::vector<ReadLink> written;
    std::vector<const Hyperlink*> added;
    for (const Hyperlink& link : now) {
      std::optional<std::size_t> same = Unclaimed(taken, [&](const ReadLink& old) { return SameLink(old.link, link); });
      if (same) {
        taken[*same] = true;
        written.push_back(read_[*same]);
      } else {
        added.push_back(&link);
      }
    }
    Relationships& relationships = parts.RelationshipsOf(sheet.partName);
    pugi::xml_node root = sheet.xml.document_element();
    std::vector<const Hyperlink*> appended;
    for (const Hyperlink* link : added) {
      std::optional<std::size_t> edited =
          Unclaimed(taken, [&](const ReadLink& old) { return old.link.anchor == link->anchor; });
      if (!edited) {
        appended.push_back(link);
        continue;
      }
      taken[*edited] = true;
      Fill(read_[*edited].element, *link, relationships, parts, root);
      written.push_back({read_[*edited].element, *link});
    }
    for (std::size_t i = 0; i < read_.size(); ++i) {
      if (taken[i]) continue;
      DropRelationship(read_[i].element, relationships);
      read_[i].element.parent().remove_child(read_[i].element);
    }
    pugi::xml_node list = ChildNamed(root, "hyperlinks");
    if (!appended.empty() && !list) list = InsertWorksheetChild(root, "hyperlinks");
    for (const Hyperlink* link : appended) {
      pugi::xml_node element = list.append_child(NameLike(root, "hyperlink").c_str());
      element.append_attribute("ref");
      Fill(element, *link, relationships, parts, root);
      written.push_back({element, *link});
    }
    if (list && !ChildNamed(list, "hyperlink")) root.remove_child(list);
    read_ = std::move(written);
    std::stable_sort(read_.begin(), read_.end(), [&](const ReadLink& a, const ReadLink& b) {
      return IndexIn(now, a.link) < IndexIn(now, b.link);
    });
    sheet.xmlChanged = true;
    return true;
  }

 private:
  bool Unchanged(const std::vector<Hyperlink>& now) const {
    return now.size() == read_.size() &&
           std::equal(now.begin(), now.end(), read_.begin(),
                      [](const Hyperlink& link, const ReadLink& old) { return SameLink(link, old.link); });
  }

  template <typename Match>
  std::optional<std::size_t> Unclaimed(const std::vector<bool>& taken, Match match) const {
    for (std::size_t i = 0; i < read_.size(); ++i) {
      if (!taken[i] && match(read_[i])) return i;
    }
    return std::nullopt;
  }

  static std::size_t IndexIn(const std::vector<Hyperlink>& links, const Hyperlink& link) {
    auto found = std::find_if(links.begin(), links.end(), [&](const Hyperlink& each) { return SameLink(each, link); });
    return static_cast<std::size_t>(found - links.begin());
  }

  static void DropRelationship(pugi::xml_node element, Relationships& relationships) {
    if (pugi::xml_attribute id = AttributeNamed(element, "id")) {
      relationships.Remove(id.value());
      element.remove_attribute(id);
    }
  }

  // Gives an element the link's target: an external address through a
  // relationship, a place in the workbook as its location.
  static void Fill(pugi::xml_node element, const Hyperlink& link, Relationships& relationships, WorkbookParts& parts,
                   pugi::xml_node root) {
    element.attribute("ref").set_value(RelativeRef(link.anchor).c_str());
    DropRelationship(element, relationships);
    if (!link.address.empty()) {
      std::string id = relationships.Add(kRelHyperlink, link.address, true);
      element.append_attribute((RelationshipPrefix(root) + ":id").c_str()) = id.c_str();
    }
    pugi::xml_attribute location = AttributeNamed(element, "location");
    if (link.subAddress.empty()) {
      element.remove_attribute(location);
      return;
    }
    if (!location) location = element.append_attribute("location");
    location.set_value(LocationOf(link.subAddress, parts.workbook->name).c_str());
  }

  std::vector<ReadLink> read_;
};

}  // namespace

std::unique_ptr<SheetAspect> MakeHyperlinksAspect() { return std::make_unique<HyperlinksAspect>(); }

}  // namespace tabulara::xlsx
