#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "xlsx/package/input_file.h"
#include "xlsx/package/zip_handle.h"

namespace tabulara::xlsx {

// How much a package may inflate to; past these it is refused as a zip bomb.
// Real workbooks inflate a few to a few dozen times their compressed size.
struct PackageLimits {
  std::uint64_t maxPartBytes = std::uint64_t{1} << 31;
  std::uint64_t maxTotalBytes = std::uint64_t{1} << 32;
  // Inflated bytes per compressed byte, of a part and of the whole package,
  // checked once past ratioGraceBytes.
  double maxInflateRatio = 100;
  std::uint64_t ratioGraceBytes = std::uint64_t{1} << 20;
};

// A zip package of parts. Parts are read on first use; on saving, a part
// that was not written is copied from the original file as it is, still
// compressed, and written or added parts follow their new contents.
class Package {
 public:
  // Opens an existing package; PackageError when it is no readable zip.
  static Package Open(const std::filesystem::path& file, PackageLimits limits = {});
  // Opens the package of a file opened for reading; `file` names it in the
  // messages.
  static Package Open(InputFile input, const std::filesystem::path& file, PackageLimits limits = {});
  // Opens the package whose bytes were read from `file`, which the messages
  // name.
  static Package Open(std::string bytes, const std::filesystem::path& file, PackageLimits limits = {});
  // A package with no parts yet.
  static Package Create();
  // The same as Create(), so that holders of a package can be made first
  // and given the opened package after.
  Package() = default;

  Package(Package&&) noexcept;
  Package& operator=(Package&&) noexcept;
  ~Package();

  // Part names as the archive lists them, in archive order, then new ones.
  std::vector<std::string> PartNames() const;
  // The stored name of a part, found without regard to case.
  std::optional<std::string> Find(const std::string& name) const;
  bool Has(const std::string& name) const { return Find(name).has_value(); }
  // A part's bytes; PackageError when it is missing or inflates too far.
  const std::string& Read(const std::string& name);
  // A part's bytes for a reader that keeps what it needs of them: not kept
  // by the package unless the part was written.
  std::string Take(const std::string& name);
  // The first bytes of a part, at most `size` of them, inflated no further.
  std::string ReadPrefix(const std::string& name, std::size_t size);
  // Replaces a part's bytes or adds a new part.
  void Write(const std::string& name, std::string bytes);
  // The same with bytes the package shares with their writer, who changes
  // them no more.
  void Write(const std::string& name, std::shared_ptr<const std::string> bytes);
  void Remove(const std::string& name);
  bool Changed(const std::string& name) const;

  // Writes the package to a temporary file beside `file` and then puts it in
  // place of `file`, so that a failure leaves `file` as it was. A symbolic
  // link is followed. A part copied as it is keeps its compressed bytes and
  // checksum, so that damage in it stays as plain to a reader as it was.
  void Save(const std::filesystem::path& file);

 private:
  struct Part {
    std::string name;
    std::optional<zip_uint64_t> sourceIndex;
    std::shared_ptr<const std::string> contents;
    bool changed = false;
    bool removed = false;
  };
  Part* FindPart(const std::string& name);
  const Part* FindPart(const std::string& name) const;
  std::string Inflate(const Part& part);
  // The part inflated in one go, when it is deflated and inflates to its
  // size and checksum as the directory gives them; none otherwise.
  std::optional<std::string> InflateWhole(const Part& part, const zip_stat_t& stat);
  // Writes the parts as a zip file into the open, empty file `descriptor`;
  // PackageError naming `target` when it cannot.
  void WriteArchive(int descriptor, const std::filesystem::path& target) const;

  // The package `source` reads, of `size` bytes; `bytes`, when the file was
  // read into memory, are what `source` reads, and the package keeps them.
  static Package FromSource(ZipSourceHandle source, std::unique_ptr<std::string> bytes, std::uint64_t size,
                            const std::filesystem::path& file, PackageLimits limits);

  // The file's bytes as opened, when they were read into memory; `source_`
  // reads them. Declared first, so that the archive goes before them.
  std::unique_ptr<std::string> sourceBytes_;
  std::uint64_t sourceSize_ = 0;
  ZipHandle source_;
  std::filesystem::path sourceFile_;
  PackageLimits limits_;
  std::uint64_t inflatedBytes_ = 0;
  std::vector<Part> parts_;
  // The first part of each name, and of each name in lower case, among
  // parts_[0, indexed_).
  mutable std::unordered_map<std::string, std::size_t> byName_;
  mutable std::unordered_map<std::string, std::size_t> byLowerName_;
  mutable std::size_t indexed_ = 0;
};

}  // namespace tabulara::xlsx
