#include "platform/ini/profile_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "platform/ini/parse.h"
#include "platform/ini/serialize.h"

namespace tabulara::platform::ini {

namespace {

bool FolderExists(const std::filesystem::path& file) {
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
  std::error_code error;
  return std::filesystem::is_directory(folder, error);
}

}  // namespace

std::optional<Document> LoadProfile(const std::string& path, Access access) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) {
    if (!FolderExists(path)) return std::nullopt;
    return Document{};
  }
  if (error || std::filesystem::is_directory(status)) return std::nullopt;
  const auto mode = access == Access::ReadWrite ? std::ios::in | std::ios::out | std::ios::binary
                                                : std::ios::in | std::ios::binary;
  std::fstream file(path, mode);
  if (!file) return std::nullopt;
  const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  if (file.bad()) return std::nullopt;
  return Parse(bytes);
}

bool StoreProfile(const std::string& path, const Document& document) {
  const std::string bytes = Serialize(document);
  std::ofstream file(path, std::ios::out | std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  return !file.fail();
}

}  // namespace tabulara::platform::ini
