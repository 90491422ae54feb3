#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include <pugixml.hpp>

namespace tabulara::xlsx {

inline constexpr const char* kContentTypeWorksheet =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
inline constexpr const char* kContentTypeDrawing = "application/vnd.openxmlformats-officedocument.drawing+xml";
inline constexpr const char* kContentTypeComments =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.comments()+xml";
inline constexpr const char* kContentTypeVml = "application/vnd.openxmlformats-officedocument.vmlDrawing";
inline constexpr const char* kContentTypeSharedStrings =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml";

// [Content_Types].xml: the content type of every part, by override or by
// the default for its extension.
class ContentTypes {
 public:
  ContentTypes() = default;
  explicit ContentTypes(std::string_view bytes);

  // The content type of a part ("/xl/workbook.xml" or "xl/workbook.xml").
  std::string Of(const std::string& partName) const;
  void Override(const std::string& partName, const std::string& contentType);
  void RemoveOverride(const std::string& partName);
  // Adds a default for an extension unless there is one.
  void EnsureDefault(const std::string& extension, const std::string& contentType);
  bool Changed() const { return changed_; }
  std::string Serialize() const;

 private:
  // Indexes the first override of each part name, by its lower-case form.
  void IndexOverride(const pugi::xml_node& node);

  pugi::xml_document document_;
  std::unordered_map<std::string, std::string> overrides_;
  bool changed_ = false;
};

}  // namespace tabulara::xlsx
