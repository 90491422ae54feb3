#include "platform/ini/code_page.h"
#include "platform/ini/document.h"
#include "platform/ini/names.h"
#include "platform/ini/profile.h"
#include "platform/ini/profile_file.h"

namespace tabulara::platform::ini {

bool WritePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& file) {
  auto document = LoadProfile(file, Access::ReadWrite);
  if (!document) return false;
  Entry& entry = FindOrAddEntry(*document, AnsiToWide(section), AnsiToWide(key));
  std::u16string stored(TrimLeading(AnsiToWide(value)));
  // The same value again leaves the file as it is, line ends and all.
  if (entry.value == stored) return true;
  entry.value = std::move(stored);
  return StoreProfile(file, *document);
}

}  // namespace tabulara::platform::ini
