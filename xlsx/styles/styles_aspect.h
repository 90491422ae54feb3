#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "embedded/model/format_table.h"
#include "xlsx/workbook_parts.h"

namespace tabulara::xlsx {

// xl/styles.xml: each entry of cellXfs becomes one model format (format i
// is entry i). A format the model changed is written as a new entry cloned
// from the one it came from, with only the changed font, number format or
// protection replaced, so fills, borders and alignment stay.
class StylesAspect : public WorkbookAspect {
 public:
  void Read(WorkbookParts& parts) override;
  void Write(WorkbookParts& parts) override;

  // Loads the style sheet for writing when Read did not run (a workbook
  // built in the model): the model's formats stay as they are.
  void Prepare(WorkbookParts& parts);
  // The cellXfs entry that writes model format `id`.
  std::uint32_t FileFormatOf(const embedded::model::FormatTable& formats, std::uint32_t id);
  // What cellXfs entry `entry` holds, read or derived; null past the last.
  const embedded::model::CellFormat* EntryFormat(std::uint32_t entry) const;
  std::size_t EntryCount() const { return read_.size(); }

 private:
  // Parses the workbook's style sheet, if it has one; false when it has none.
  bool LoadPart(WorkbookParts& parts);
  void Load(const embedded::model::CellFormat& defaults);
  void Reset(const embedded::model::CellFormat& defaults);
  std::uint32_t Derive(std::uint32_t base, const embedded::model::CellFormat& format);
  std::uint32_t FontFor(std::uint32_t baseFont, const embedded::model::Font& font);
  std::uint32_t NumberFormatIdFor(const std::string& code);
  void SetProtection(pugi::xml_node xf, bool locked);
  // The cellStyleXfs entry of the named style, the Hyperlink style added
  // when the file has none; nothing for another style the file lacks.
  std::optional<std::uint32_t> StyleEntry(const std::string& name);
  std::uint32_t AddHyperlinkStyle();

  std::string partName_;
  pugi::xml_document xml_;
  bool exists_ = false;
  bool loaded_ = false;
  bool changed_ = false;
  pugi::xml_node fonts_;
  pugi::xml_node cellXfs_;
  // The font that a <font> leaving out its name or size takes them from.
  embedded::model::Font defaultFont_;
  std::vector<pugi::xml_node> fontNodes_;
  std::vector<pugi::xml_node> xfNodes_;
  // The model formats as read, by cellXfs entry, and those derived since.
  std::vector<embedded::model::CellFormat> read_;
  std::map<int, std::string> customNumberFormats_;
  // Named cell styles: name to cellStyleXfs entry.
  std::map<std::string, std::uint32_t> styleEntries_;
  // The serialized fonts and entries, to reuse an equal one.
  std::map<std::string, std::uint32_t> fontIds_;
  std::map<std::string, std::uint32_t> xfIds_;
  // Model format id to cellXfs entry, once worked out (-1: not yet).
  std::vector<std::int64_t> written_;
};

}  // namespace tabulara::xlsx
