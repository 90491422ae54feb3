#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace tabulara::xlsx {

inline constexpr const char* kRelOfficeDocument =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
inline constexpr const char* kRelWorksheet =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
inline constexpr const char* kRelChartsheet =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/chartsheet";
inline constexpr const char* kRelStyles = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";
inline constexpr const char* kRelSharedStrings =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings";
inline constexpr const char* kRelDrawing = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/drawing";
inline constexpr const char* kRelVmlDrawing =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/vmlDrawing";
inline constexpr const char* kRelComments =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/comments";
inline constexpr const char* kRelHyperlink =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink";
inline constexpr const char* kRelCalcChain =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/calcChain";

struct Relationship {
  std::string id;
  std::string type;
  std::string target;
  bool external = false;
};

// The relationships of one part (its .rels part), kept in file order.
// Unchanged relationships parts are written back as they were read.
class Relationships {
 public:
  Relationships() = default;
  // Parses a .rels part.
  Relationships(std::string_view bytes, const std::string& relsPartName);

  const std::vector<Relationship>& All() const { return items_; }
  const Relationship* Find(const std::string& id) const;
  // The first relationship of a type.
  const Relationship* FindType(const std::string& type) const;
  std::vector<const Relationship*> OfType(const std::string& type) const;
  // Adds a relationship with a fresh id ("rId7") and returns the id.
  std::string Add(const std::string& type, const std::string& target, bool external = false);
  void Remove(const std::string& id);
  bool Changed() const { return changed_; }
  std::string Serialize() const;

 private:
  void IndexIds();

  std::vector<Relationship> items_;
  // The position of the first relationship of each id.
  std::unordered_map<std::string, std::size_t> positions_;
  // No id "rId1" to "rId<freshFrom_ - 1>" is free.
  int freshFrom_ = 1;
  bool changed_ = false;
};

// "xl/worksheets/_rels/sheet1.xml.rels" for "xl/worksheets/sheet1.xml";
// "_rels/.rels" for the package itself ("").
std::string RelsPartNameOf(const std::string& partName);
// The part a relative target of `sourcePart` points at: "../drawings/a.xml"
// from "xl/worksheets/sheet1.xml" is "xl/drawings/a.xml".
std::string ResolveTarget(const std::string& sourcePart, const std::string& target);
// The target that leads from `sourcePart` to `targetPart`.
std::string RelativeTarget(const std::string& sourcePart, const std::string& targetPart);

}  // namespace tabulara::xlsx
