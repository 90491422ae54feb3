#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "xlsx/strings/plain_strings.h"
#include "xlsx/workbook_parts.h"

namespace tabulara::xlsx {

// xl/sharedStrings.xml. Every item, plain or rich, is read as its plain
// text into the workbook's string pool. Items already in the table stay
// as they are, so unchanged cells keep their indexes; texts of cells
// written afresh reuse a plain item with the same text or are appended.
class SharedStringsAspect : public WorkbookAspect {
 public:
  void Read(WorkbookParts& parts) override;
  void Write(WorkbookParts& parts) override;

  // The string-pool id of item `index`; nothing when there is no such item.
  std::optional<std::uint32_t> PoolIdOf(std::size_t index) const;
  // The index of a plain item holding the pool's text `poolId`, appended
  // when there is none.
  std::uint32_t IndexFor(const embedded::model::StringPool& pool, std::uint32_t poolId);
  // Cells referring to the table were added (positive) or removed.
  void CountReferences(std::int64_t delta) { countDelta_ += delta; }

 private:
  void CreatePart(WorkbookParts& parts);
  void WriteSource(WorkbookParts& parts);

  // Notes the first plain item with the pool's text `poolId`; false when
  // there is one already.
  bool NotePlainItem(std::uint32_t poolId, std::uint32_t index);

  std::string partName_;
  // The part read as a tree, or, when it holds plain items only, as it
  // stands with what a scan found in it.
  pugi::xml_document xml_;
  std::string source_;
  std::optional<PlainStrings> plain_;
  bool exists_ = false;
  std::vector<std::uint32_t> poolIds_;
  static constexpr std::uint32_t kNoItem = UINT32_MAX;
  // By pool id: the first plain item with its text, or kNoItem.
  std::vector<std::uint32_t> plainItems_;
  std::vector<std::uint32_t> appended_;
  std::int64_t countDelta_ = 0;
  const embedded::model::StringPool* pool_ = nullptr;
};

}  // namespace tabulara::xlsx
