#pragma once

#include <compare>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tabulara::embedded::model {

struct Font {
  std::string name = "Calibri";
  double size = 11;
  bool bold = false;
  bool italic = false;
  friend auto operator<=>(const Font&, const Font&) = default;
};

// The format of a cell: its font, number format and protection.
struct CellFormat {
  Font font;
  std::string numberFormat = "General";
  // Locked cells refuse changes while the sheet is protected.
  bool locked = true;
  // The cell shows its text as typed after a leading apostrophe.
  bool quotePrefix = false;
  // The named cell style the format is based on.
  std::string style = "Normal";
  // The entry of a workbook file's cell formats (cellXfs) this format was
  // read from, or derived from by a change; -1 for none. Formats read from
  // different entries stay distinct, so that what the model does not hold
  // (fills, borders, alignment) can be written back.
  std::int32_t fileFormat = -1;
  friend auto operator<=>(const CellFormat&, const CellFormat&) = default;
};

// A workbook's cell formats, each kept once. Format 0 is the workbook's
// default (the Normal style).
class FormatTable {
 public:
  // With the default format. Not a default argument: inlined into a
  // workbook's constructor, its temporary makes GCC 12 warn falsely of an
  // uninitialized string.
  FormatTable();
  explicit FormatTable(CellFormat defaults);

  std::uint32_t Intern(const CellFormat& format);
  const CellFormat& Get(std::uint32_t id) const { return formats_[id]; }
  std::size_t size() const { return formats_.size(); }

 private:
  std::vector<CellFormat> formats_;
  std::map<CellFormat, std::uint32_t> ids_;
};

}  // namespace tabulara::embedded::model
