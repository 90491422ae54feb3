#pragma once

#include <map>
#include <string>
#include <string_view>

namespace tabulara::xlsx::structure {

// Old sheet names, in upper case as ASCII folds them, to their new names.
class SheetRenames {
 public:
  void Add(std::string_view oldName, std::string newName);
  bool Empty() const { return renames_.empty(); }
  // The new name of a sheet named `name` in any letter case, or null.
  const std::string* NewNameOf(std::string_view name) const;

 private:
  std::map<std::string, std::string> renames_;
};

// The formula, defined name or place ("=Sheet1!A1*2", "'My Sheet'!$A$1:$B$2",
// "Sheet1:Sheet3!A1") with references to renamed sheets naming them by their
// new names, quoted where the new name needs it. Strings in quotes, external
// references ("[1]Sheet1!A1") and structured references stay as they are.
std::string RenameSheetReferences(std::string_view text, const SheetRenames& renames);

}  // namespace tabulara::xlsx::structure
