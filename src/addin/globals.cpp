#include "addin/globals.h"

#include "addin/excel_events.h"
#include "host/host_error.h"

namespace tabulara::addin {

std::shared_ptr<catalogue::MultLanguage> gLanguage;
std::shared_ptr<ExcelEvents> gExcelEvents;
std::string gAppTitle;
std::string gAppError;
std::array<std::string, kItemCaptionCount> gItemCaptions;

std::string Message(const std::string& key, const std::vector<host::Variant>& values) {
  if (!gLanguage) throw host::ObjectVariableNotSet();
  return gLanguage->FindMessage(key, values);
}

}  // namespace tabulara::addin
