#include "ini/engine_runner.h"

#include <fstream>
#include <iterator>

#include "platform/ini/profile.h"

namespace tabulara::test {

namespace {

namespace ini = tabulara::platform::ini;

std::filesystem::path PrepareFile(const ReferenceCase& call, const std::filesystem::path& corpus,
                                  const std::filesystem::path& scratch) {
  const auto folder = scratch / call.name;
  std::filesystem::create_directory(folder);
  const auto path = folder / call.file;
  if (std::filesystem::is_regular_file(corpus / call.file)) std::filesystem::copy_file(corpus / call.file, path);
  return path;
}

std::string Read(const ReferenceCase& call, const std::string& path) {
  const std::string buffer = ini::GetPrivateProfileString(call.texts[0], call.texts[1], call.texts[2], call.size, path);
  if (buffer.size() != call.size) {
    return "a buffer of " + std::to_string(buffer.size()) + " bytes for a size of " + std::to_string(call.size);
  }
  const auto used = buffer.find_last_not_of('\0');
  return Quote(buffer.substr(0, used == std::string::npos ? 0 : used + 1));
}

std::string Write(const ReferenceCase& call, const std::filesystem::path& path) {
  bool result = false;
  for (std::size_t i = 0; i + 2 < call.texts.size(); i += 3) {
    result = ini::WritePrivateProfileString(call.texts[i], call.texts[i + 1], call.texts[i + 2], path.string());
  }
  std::string outcome = result ? "1 " : "0 ";
  if (!std::filesystem::is_regular_file(path)) return outcome + "none";
  std::ifstream file(path, std::ios::binary);
  return outcome + Quote(std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()));
}

}  // namespace

std::string RunOnEngine(const ReferenceCase& call, const std::filesystem::path& corpus,
                        const std::filesystem::path& scratch) {
  const auto path = PrepareFile(call, corpus, scratch);
  return call.kind == ReferenceCase::Kind::Read ? Read(call, path.string()) : Write(call, path);
}

}  // namespace tabulara::test
