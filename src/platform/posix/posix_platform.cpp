#include "platform/posix/posix_platform.h"

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <string>
#include <system_error>
#include <unordered_map>

#include "host/conversions.h"
#include "host/host_error.h"
#include "platform/ini/profile.h"
#include "platform/posix/bitmap_resources.h"
#include "platform/posix/command_line.h"
#include "platform/posix/file_search.h"
#include "platform/posix/stand_ins.h"

namespace tabulara::platform::posix {
namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::filesystem::path ProgramFolder() {
  std::error_code error;
  auto program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::current_path() : program.parent_path();
}

double SecondsSinceMidnight() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  const double fraction = duration<double>(now - system_clock::from_time_t(seconds)).count();
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction;
}

// The ICU locale of a POSIX locale name; the C locale compares by the
// root collation, not ICU's code-point-like "en_US_POSIX".
icu::Locale IcuLocale(const std::string& posixLocale) {
  const std::string name = posixLocale.substr(0, posixLocale.find_first_of(".@"));
  if (name.empty() || name == "C" || name == "POSIX") return icu::Locale::getRoot();
  return icu::Locale(name.c_str());
}

// Maps every character to one character, as the Windows case mapping does:
// the text keeps its length ("ß" stays "ß").
std::string MapEachCharacter(const std::string& text, UChar32 (*map)(UChar32)) {
  icu::UnicodeString mapped;
  const auto source = icu::UnicodeString::fromUTF8(text);
  for (int32_t i = 0; i < source.length();) {
    const UChar32 character = source.char32At(i);
    mapped.append(map(character));
    i += U16_LENGTH(character);
  }
  std::string result;
  mapped.toUTF8String(result);
  return result;
}

}  // namespace

class PosixPlatform::Collation {
 public:
  explicit Collation(const icu::Locale& locale) {
    UErrorCode status = U_ZERO_ERROR;
    collator_.reset(icu::Collator::createInstance(locale, status));
    if (U_FAILURE(status)) collator_.reset();
    if (collator_) collator_->setStrength(icu::Collator::SECONDARY);
  }
  int Compare(const std::string& left, const std::string& right) {
    if (!collator_) {
      return icu::UnicodeString::fromUTF8(left).caseCompare(icu::UnicodeString::fromUTF8(right), U_FOLD_CASE_DEFAULT);
    }
    return SortKey(left).compare(SortKey(right));
  }

 private:
  // Sort keys compare as the collator compares their texts; a sort compares
  // each text many times, so the keys of recent texts are kept.
  const std::string& SortKey(const std::string& text) {
    constexpr std::size_t kKeptKeys = 4096;
    if (const auto found = keys_.find(text); found != keys_.end()) return found->second;
    if (keys_.size() >= kKeptKeys) keys_.clear();
    const icu::UnicodeString unicode = icu::UnicodeString::fromUTF8(text);
    std::string key(static_cast<std::size_t>(collator_->getSortKey(unicode, nullptr, 0)), '\0');
    collator_->getSortKey(unicode, reinterpret_cast<std::uint8_t*>(key.data()), static_cast<std::int32_t>(key.size()));
    return keys_.emplace(text, std::move(key)).first->second;
  }

  std::unique_ptr<icu::Collator> collator_;
  std::unordered_map<std::string, std::string> keys_;
};

PosixOptions OptionsFromEnvironment(MessageBoxPresenter messageBoxes) {
  PosixOptions options;
  const std::string home = Environment("TABULARA_HOME");
  options.installFolder = home.empty() ? ProgramFolder() : std::filesystem::path(home);
  const std::string config = Environment("XDG_CONFIG_HOME");
  options.configHome = !config.empty() ? std::filesystem::path(config)
                                       : std::filesystem::path(Environment("HOME")) / ".config";
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    options.locale = Environment(variable);
    if (!options.locale.empty()) break;
  }
  options.messageBoxes = std::move(messageBoxes);
  options.programSearchPath = Environment("PATH");
  return options;
}

std::uint16_t LangIdOfLocale(const std::string& locale) {
  const std::string name = locale.substr(0, locale.find_first_of(".@"));
  if (name == "zh_CN") return 0x0804;
  if (name == "zh_TW") return 0x0404;
  if (name == "zh_HK") return 0x0C04;
  if (name == "zh_SG") return 0x1004;
  if (name == "ja_JP") return 0x0411;
  return 0x0409;
}

std::string ToPosixPath(const std::string& path) {
  std::string converted = path;
  std::replace(converted.begin(), converted.end(), '\\', '/');
  return converted;
}

PosixPlatform::PosixPlatform(PosixOptions options)
    : options_(std::move(options)), collation_(std::make_unique<Collation>(IcuLocale(options_.locale))) {
  if (!options_.registry) options_.registry = DesktopRegistry(options_.programSearchPath, Environment("HOME"));
  if (!options_.startProgram) options_.startProgram = DetachedStarter();
}

PosixPlatform::~PosixPlatform() = default;

std::string PosixPlatform::GetPrivateProfileString(const std::string& section, const std::string& key,
                                                   const std::string& defaultValue, std::size_t size,
                                                   const std::string& file) {
  return ini::GetPrivateProfileString(section, key, defaultValue, size, ToPosixPath(file));
}

bool PosixPlatform::WritePrivateProfileString(const std::string& section, const std::string& key,
                                              const std::string& value, const std::string& file) {
  return ini::WritePrivateProfileString(section, key, value, ToPosixPath(file));
}

std::filesystem::path PosixPlatform::SettingsFile(const std::string& appName) const {
  return options_.configHome / appName / "settings.ini";
}

std::optional<std::string> PosixPlatform::GetSetting(const std::string& appName, const std::string& section,
                                                     const std::string& key) {
  return ini::LookUp(section, key, SettingsFile(appName).string());
}

void PosixPlatform::SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                                const std::string& value) {
  const auto file = SettingsFile(appName);
  std::error_code error;
  std::filesystem::create_directories(file.parent_path(), error);
  if (error || !ini::WritePrivateProfileString(section, key, value, file.string())) {
    throw host::HostError(75, "Path/File access error: cannot write the settings file " + file.string());
  }
}

std::uint16_t PosixPlatform::SystemDefaultLangID() { return LangIdOfLocale(options_.locale); }

std::string PosixPlatform::InstallFolder() { return options_.installFolder.string(); }

void PosixPlatform::Randomize() { random_.Randomize(static_cast<float>(SecondsSinceMidnight())); }

float PosixPlatform::Rnd() { return random_.Next(); }

host::Date PosixPlatform::Today() {
  const std::time_t now = options_.clock();
  std::tm local{};
  localtime_r(&now, &local);
  return host::DateFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

int PosixPlatform::MessageBox(const std::string& text, int flags, const std::optional<std::string>& title) {
  return options_.messageBoxes(MessageBoxRequest{text, flags, title});
}

std::unique_ptr<FileSearch> PosixPlatform::FindFiles(const std::string& pattern) {
  return SearchFolder(ToPosixPath(pattern));
}

void PosixPlatform::ClearClipboard() { options_.clipboard->picture.reset(); }

void PosixPlatform::PutBitmapOnClipboard(int resourceId) {
  auto bitmap = BitmapResource(resourceId);
  if (!bitmap) throw host::HostError(326, "Resource with identifier '" + std::to_string(resourceId) + "' not found");
  options_.clipboard->picture = std::move(bitmap);
}

std::string PosixPlatform::UpperCase(const std::string& text) { return MapEachCharacter(text, u_toupper); }

std::string PosixPlatform::LowerCase(const std::string& text) { return MapEachCharacter(text, u_tolower); }

int PosixPlatform::CompareTextNoCase(const std::string& left, const std::string& right) {
  const int order = collation_->Compare(left, right);
  return (order > 0) - (order < 0);
}

void PosixPlatform::ReadRegistryValue(RegistryRoot root, const std::string& key, const std::string& valueName,
                                      std::string& buffer) {
  const auto value = options_.registry(root, key, valueName);
  if (!value) return;
  std::copy_n(value->begin(), std::min(value->size(), buffer.size()), buffer.begin());
  if (value->size() < buffer.size()) buffer[value->size()] = '\0';
}

// Every document, folder and address opens with xdg-open in the program the
// desktop associates with it; the verb and window are the desktop's choice.
void PosixPlatform::OpenDocument(const std::string&, const std::string& file, int) {
  const auto opener = FindOnPath("xdg-open", options_.programSearchPath);
  if (!opener) return;
  const bool isAddress = file.find("://") != std::string::npos;
  try {
    options_.startProgram({opener->string(), isAddress ? file : ToPosixPath(file)});
  } catch (const host::HostError&) {
  }
}

void PosixPlatform::StartProgram(const std::string& commandLine, int) {
  const std::string& searchPath = options_.programSearchPath;
  auto arguments = SplitCommandLine(
      commandLine, [&](const std::string& program) { return ResolveProgram(program, searchPath).has_value(); });
  if (arguments.empty()) throw host::HostError(host::kErrInvalidCall, "Invalid procedure call or argument");
  const auto program = ResolveProgram(arguments.front(), searchPath);
  if (!program) throw host::HostError(53, "File not found");
  arguments.front() = program->string();
  for (std::size_t i = 1; i < arguments.size(); ++i) arguments[i] = ToPosixPath(arguments[i]);
  options_.startProgram(arguments);
}

// A Windows program the add-in names by its Windows path exists where its
// Linux stand-in is installed.
bool PosixPlatform::FileExists(const std::string& path) {
  const std::filesystem::path file = ToPosixPath(path);
  std::error_code error;
  if (std::filesystem::is_regular_file(file, error)) return true;
  return StandIn(file.filename().string(), options_.programSearchPath).has_value();
}

std::string PosixPlatform::EnvironmentVariable(const std::string& name) { return Environment(name.c_str()); }

}  // namespace tabulara::platform::posix
