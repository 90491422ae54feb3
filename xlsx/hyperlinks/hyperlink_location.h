#pragma once

#include <string>

namespace tabulara::xlsx {

// The file's location attribute for a hyperlink's sub-address: a place in
// the same workbook given in the host's external form ("[Book1.xlsx]Sheet1!$A$1",
// "'[Bob''s book.xlsx]Data'!A1") loses its workbook part ("Sheet1!$A$1",
// "Data!A1"), the sheet quoted only when its name needs it ("'My Sheet'!A1");
// any other sub-address stays as it is.
std::string LocationOf(const std::string& subAddress, const std::string& workbookName);

}  // namespace tabulara::xlsx
