#include "cli/addin_list_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>

#include "xlsx/system/file_descriptor.h"
#include "xlsx/system/temporary_folder.h"

namespace tabulara::cli {
namespace {

constexpr const char* kHeader =
    "# The automation add-ins of the tabulara host, one a line: ProgID=1 installed, ProgID=0 not.\n";

void Check(bool ok, const std::filesystem::path& file, const char* what) {
  if (!ok) throw std::runtime_error(file.string() + ": " + what + ": " + std::strerror(errno));
}

void WriteAll(const xlsx::FileDescriptor& descriptor, const std::string& text, const std::filesystem::path& file) {
  for (std::size_t written = 0; written < text.size();) {
    const ssize_t count = ::write(descriptor.get(), text.data() + written, text.size() - written);
    if (count < 0 && errno == EINTR) continue;
    Check(count > 0, file, "cannot be written");
    written += static_cast<std::size_t>(count);
  }
}

}  // namespace

std::filesystem::path AddInListFile(const std::filesystem::path& configHome) {
  return configHome / "tabulara-host" / "addins";
}

std::vector<embedded::AddInList::AddInView> ReadAddInList(const std::filesystem::path& file) {
  std::vector<embedded::AddInList::AddInView> list;
  std::error_code error;
  if (!std::filesystem::exists(file, error)) return list;
  std::ifstream in(file);
  Check(in.is_open(), file, "cannot be read");
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t equals = line.rfind('=');
    if (line.empty() || line.front() == '#' || equals == std::string::npos || equals == 0) continue;
    list.push_back({line.substr(0, equals), line.substr(equals + 1) == "1"});
  }
  return list;
}

void WriteAddInList(const std::filesystem::path& file, const std::vector<embedded::AddInList::AddInView>& list) {
  std::string text = kHeader;
  for (const auto& entry : list) text += entry.progID + (entry.installed ? "=1\n" : "=0\n");
  std::error_code error;
  std::filesystem::create_directories(file.parent_path(), error);
  if (error) throw std::runtime_error(file.parent_path().string() + ": cannot be made: " + error.message());
  try {
    const xlsx::TemporaryFolder staging(file.parent_path());
    const std::filesystem::path staged = staging.path() / file.filename();
    {
      const xlsx::FileDescriptor descriptor(::open(staged.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
      Check(static_cast<bool>(descriptor), file, "cannot be written");
      WriteAll(descriptor, text, file);
      Check(::fsync(descriptor.get()) == 0, file, "cannot be written");
    }
    Check(::rename(staged.c_str(), file.c_str()) == 0, file, "cannot be replaced");
  } catch (const std::system_error& failure) {
    throw std::runtime_error(file.string() + ": cannot be written: " + failure.what());
  }
}

}  // namespace tabulara::cli
