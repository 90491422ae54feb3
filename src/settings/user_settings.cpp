#include "settings/user_settings.h"

#include "host/conversions.h"
#include "platform/platform.h"

namespace tabulara::settings {

std::string ReadSetting(const std::string& section, const std::string& key, const host::Variant& defaultValue) {
  auto stored = platform::Current().GetSetting(kSettingsAppName, section, key);
  return stored ? *stored : host::ToText(defaultValue);
}

void WriteSetting(const std::string& section, const std::string& key, const std::string& value) {
  platform::Current().SaveSetting(kSettingsAppName, section, key, value);
}

bool ReadSettingFlag(const std::string& section, const std::string& key, int defaultValue) {
  return host::ToLogical(ReadSetting(section, key, defaultValue));
}

int ReadSettingInteger(const std::string& section, const std::string& key, int defaultValue) {
  return host::ToInteger(ReadSetting(section, key, defaultValue));
}

}  // namespace tabulara::settings
