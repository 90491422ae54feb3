#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "embedded/rules/reference_text.h"
#include "embedded/rules/table_headers.h"
#include "xlsx/aspects.h"
#include "xlsx/strings/xstring.h"
#include "xlsx/xml/xml_names.h"
#include "xlsx/xml/xml_part.h"

namespace tabulara::xlsx {
namespace {

using embedded::model::CellAddress;

constexpr const char* kRelTable = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/table";

// A table of the sheet with a header row, and its header texts as last read
// or written.
struct Table {
  std::string partName;
  std::int32_t headerRow = 0;
  std::int32_t firstColumn = 0;
  std::vector<std::string> headers;
};

// A worksheet's tables: the host keeps their header rows; the names of their
// columns follow the header cells, so that the host does not drop a table
// whose names no longer match its header.
class TablesAspect : public SheetAspect {
 public:
  void Read(WorkbookParts& parts, SheetPart& sheet) override {
    tables_.clear();
    sheet.sheet->tableHeaders().clear();
    for (const Relationship* relationship : parts.RelationshipsOf(sheet.partName).OfType(kRelTable)) {
      if (relationship->external) continue;
      const auto partName = parts.package.Find(ResolveTarget(sheet.partName, relationship->target));
      if (!partName) continue;
      const pugi::xml_document xml = ParseXmlPart(parts.package.Read(*partName), *partName);
      const pugi::xml_node table = xml.document_element();
      if (std::string_view(table.attribute("headerRowCount").as_string("1")) == "0") continue;
      const auto ref = embedded::ParseReference(table.attribute("ref").value());
      if (!ref || ref->size() != 1) continue;
      const embedded::model::CellRect area = ref->front();
      sheet.sheet->tableHeaders().push_back({area.top, area.left, area.top, area.right});
      Table read{*partName, area.top, area.left, {}};
      for (std::int32_t column = area.left; column <= area.right; ++column) {
        read.headers.push_back(embedded::HeaderText(*parts.workbook, sheet.sheet->grid(), {area.top, column}));
      }
      tables_.push_back(std::move(read));
    }
  }

  bool Write(WorkbookParts& parts, SheetPart& sheet) override {
    for (Table& table : tables_) {
      std::map<std::size_t, std::string> changed;
      for (std::size_t i = 0; i < table.headers.size(); ++i) {
        const CellAddress cell{table.headerRow, table.firstColumn + static_cast<std::int32_t>(i)};
        std::string header = embedded::HeaderText(*parts.workbook, sheet.sheet->grid(), cell);
        if (header != table.headers[i]) changed.emplace(i, std::move(header));
      }
      if (changed.empty()) continue;
      for (const auto& [position, header] : changed) table.headers[position] = header;
      Rename(parts, table.partName, changed);
    }
    return false;
  }

 private:
  static void Rename(WorkbookParts& parts, const std::string& partName,
                     const std::map<std::size_t, std::string>& changed) {
    pugi::xml_document xml = ParseXmlPart(parts.package.Read(partName), partName);
    std::vector<pugi::xml_node> columns;
    for (const pugi::xml_node column : ChildNamed(xml.document_element(), "tableColumns").children()) {
      if (LocalName(column) == "tableColumn") columns.push_back(column);
    }
    std::vector<std::string> names;
    for (const pugi::xml_node column : columns) names.push_back(DecodeXstring(column.attribute("name").value()));
    const std::vector<std::string> renamed = embedded::RenamedTableColumns(names, changed);
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (renamed[i] == names[i]) continue;
      pugi::xml_attribute name = columns[i].attribute("name");
      if (!name) name = columns[i].append_attribute("name");
      name.set_value(EncodeXstring(renamed[i]).c_str());
    }
    if (renamed != names) parts.package.Write(partName, SerializeXmlPart(xml));
  }

  std::vector<Table> tables_;
};

}  // namespace

std::unique_ptr<SheetAspect> MakeTablesAspect() { return std::make_unique<TablesAspect>(); }

}  // namespace tabulara::xlsx
