#include "commands/path_finders.h"

#include <exception>

#include "addin/text.h"
#include "host/host_error.h"
#include "platform/platform.h"
#include "settings/install_path.h"

namespace tabulara::commands {
namespace {

using platform::RegistryRoot;

constexpr std::size_t kValueBufferSize = 255;

// A registry value's text, read into a buffer of NUL characters and cut
// before the first NUL, without leading and trailing blanks. A value that
// fills the whole buffer leaves no NUL to cut at: the cut fails.
std::string ReadRegistryText(RegistryRoot root, const std::string& key, const std::string& valueName) {
  std::string buffer(kValueBufferSize, '\0');
  platform::Current().ReadRegistryValue(root, key, valueName, buffer);
  const auto end = buffer.find('\0');
  if (end == std::string::npos) throw host::HostError(host::kErrInvalidCall, "Invalid procedure call or argument");
  return addin::TrimBlanks(std::string_view(buffer).substr(0, end));
}

// The finder's result, or the empty text when any of its steps fails.
template <class Steps>
std::string EmptyOnFailure(Steps steps) {
  try {
    return steps();
  } catch (const std::exception&) {
    return "";
  }
}

}  // namespace

std::string FindYahooMessenger() {
  return EmptyOnFailure([] {
    const std::string mainFolder =
        ReadRegistryText(RegistryRoot::LocalMachine, "SOFTWARE\\Yahoo\\Essentials", "MainDir");
    const std::string program = settings::WithFinalBackslash(mainFolder) + "messenger\\yahoomessenger.exe";
    return platform::Current().FileExists(program) ? program : std::string();
  });
}

std::string FindMsnMessenger() {
  return EmptyOnFailure([] {
    const std::string folder = ReadRegistryText(
        RegistryRoot::LocalMachine, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\MSNMSGR.EXE", "Path");
    return folder.empty() ? folder : settings::WithFinalBackslash(folder) + "MSNMSGR.EXE";
  });
}

std::string FindSkype() {
  return EmptyOnFailure(
      [] { return ReadRegistryText(RegistryRoot::CurrentUser, "SOFTWARE\\Skype\\Phone", "SkypePath"); });
}

std::string FindMyDocuments() {
  return EmptyOnFailure([] {
    return ReadRegistryText(RegistryRoot::CurrentUser,
                            "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Personal");
  });
}

}  // namespace tabulara::commands
