#include "xlsx/legacy/legacy_workbook.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <optional>
#include <sstream>
#include <vector>

#include "xlsx/legacy/compound_file.h"
#include "xlsx/package/input_file.h"
#include "xlsx/package/package_error.h"
#include "xlsx/system/child_process.h"
#include "xlsx/system/temporary_folder.h"

extern char** environ;

namespace tabulara::xlsx {
namespace {

constexpr std::string_view kLegacyWorkbook = "is a legacy binary workbook (Excel 97-2003 format)";
constexpr std::string_view kSaveAsXlsx = "save it as an .xlsx workbook";

std::optional<std::filesystem::path> FindOnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return std::nullopt;
  std::stringstream folders(path);
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    if (folder.empty()) continue;
    const auto candidate = std::filesystem::path(folder) / program;
    if (::access(candidate.c_str(), X_OK) == 0) return std::filesystem::absolute(candidate);
  }
  return std::nullopt;
}

// Whether the directory names the entry, compared without regard to case
// as compound files do.
bool Holds(const std::vector<std::string>& names, std::string_view wanted) {
  return std::any_of(names.begin(), names.end(), [&](const std::string& name) {
    return std::equal(name.begin(), name.end(), wanted.begin(), wanted.end(), [](unsigned char a, unsigned char b) {
      return std::tolower(a) == std::tolower(b);
    });
  });
}

// A file URL of an absolute path, its bytes outside the unreserved ones
// percent-encoded.
std::string FileUrl(const std::filesystem::path& path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string url = "file://";
  for (const unsigned char c : path.string()) {
    if (std::isalnum(c) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
      url += static_cast<char>(c);
    } else {
      url += {'%', kHex[c >> 4], kHex[c & 0xF]};
    }
  }
  return url;
}

// This process's environment with TMPDIR set to `folder`.
std::vector<std::string> EnvironmentWithTemporaryFolder(const std::filesystem::path& folder) {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    if (!std::string_view(*entry).starts_with("TMPDIR=")) environment.emplace_back(*entry);
  }
  environment.push_back("TMPDIR=" + folder.string());
  return environment;
}

// Converts with `soffice` in a temporary folder that also holds its
// profile and its own temporary files, so that all of them go with it.
std::string ConvertedBySoffice(std::string_view bytes, const std::string& importFilter, std::chrono::seconds limit) {
  const auto office = FindOnPath("soffice");
  if (!office) throw PackageError(std::string(kLegacyWorkbook) + ", which cannot be read; " + std::string(kSaveAsXlsx));
  const TemporaryFolder folder;
  const auto input = folder.path() / "workbook.xls";
  const auto output = folder.path() / "converted";
  const auto temporaries = folder.path() / "tmp";
  std::ofstream copy(input, std::ios::binary);
  copy.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  copy.close();
  std::error_code error;
  if (!copy || !std::filesystem::create_directory(temporaries, error)) {
    throw PackageError("cannot be converted: its copy in " + folder.path().string() + " cannot be written");
  }
  const ChildEnd end = RunWithTimeLimit(
      {office->string(), "-env:UserInstallation=" + FileUrl(folder.path() / "profile"), "--headless", "--norestore",
       "--infilter=" + importFilter, "--convert-to", "xlsx", "--outdir", output.string(), input.string()},
      EnvironmentWithTemporaryFolder(temporaries), limit);
  if (end == ChildEnd::TimedOut) {
    throw PackageError(std::string(kLegacyWorkbook) + " that soffice did not convert within " +
                       std::to_string(limit.count()) + " s; " + std::string(kSaveAsXlsx));
  }
  const auto converted = output / "workbook.xlsx";
  if (end != ChildEnd::Succeeded || !std::filesystem::is_regular_file(converted, error)) {
    throw PackageError(std::string(kLegacyWorkbook) + " that soffice cannot convert (it may be damaged); " +
                       std::string(kSaveAsXlsx));
  }
  return ReadInputFile(converted, std::numeric_limits<std::uint64_t>::max());
}

}  // namespace

std::string PackageOfCompoundFile(std::string_view bytes, std::chrono::seconds limit) {
  const auto names = CompoundFileEntryNames(bytes);
  if (!names) throw PackageError("is a damaged OLE2 compound file (its directory cannot be read), not a workbook");
  if (Holds(*names, "EncryptionInfo") && Holds(*names, "EncryptedPackage")) {
    throw PackageError(
        "is encrypted (password-protected), which cannot be read; remove the password in a spreadsheet program "
        "and save it again");
  }
  // The stream of the workbook names its format: BIFF8 (Excel 97-2003) or
  // BIFF5 (Excel 5.0/95).
  if (Holds(*names, "Workbook")) return ConvertedBySoffice(bytes, "MS Excel 97", limit);
  if (Holds(*names, "Book")) return ConvertedBySoffice(bytes, "MS Excel 95", limit);
  throw PackageError("is an OLE2 compound file that holds no workbook (another Office document, such as a .doc)");
}

}  // namespace tabulara::xlsx
