#include "xlsx/package/package.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "xlsx/package/archive_output.h"
#include "xlsx/package/deflated_part.h"
#include "xlsx/package/input_file.h"
#include "xlsx/package/package_error.h"
#include "xlsx/package/staged_file.h"

namespace tabulara::xlsx {
namespace {

std::string ZipErrorText(int code) {
  zip_error_t error;
  zip_error_init_with_code(&error, code);
  std::string text = zip_error_strerror(&error);
  zip_error_fini(&error);
  return text;
}

bool SameNameIgnoringCase(const std::string& left, const std::string& right) {
  return std::equal(left.begin(), left.end(), right.begin(), right.end(), [](unsigned char a, unsigned char b) {
    return std::tolower(a) == std::tolower(b);
  });
}

std::string LowerCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

Package::Package(Package&&) noexcept = default;
Package& Package::operator=(Package&&) noexcept = default;
Package::~Package() = default;

Package Package::Open(const std::filesystem::path& file, PackageLimits limits) {
  return Open(OpenInputFile(file, limits.maxTotalBytes), file, limits);
}

Package Package::Open(InputFile input, const std::filesystem::path& file, PackageLimits limits) {
  if (input.bytes) return Open(std::move(*input.bytes), file, limits);
  // A regular file is read where each part lies, never whole.
  FILE* stream = ::fdopen(input.descriptor.get(), "rb");
  if (stream == nullptr) throw PackageError(file.string() + ": cannot read the file (" + std::strerror(errno) + ")");
  input.descriptor.release();
  // The parts copied on saving are read in blocks of this size rather than
  // the stream's default of a page, which the kernel serves far slower.
  std::setvbuf(stream, nullptr, _IOFBF, std::size_t{1} << 16);
  zip_error_t error;
  zip_error_init(&error);
  ZipSourceHandle source(zip_source_filep_create(stream, 0, -1, &error));
  if (!source) {
    std::fclose(stream);
    zip_error_fini(&error);
    throw PackageError(file.string() + ": cannot read the file");
  }
  zip_error_fini(&error);
  return FromSource(std::move(source), nullptr, input.size, file, limits);
}

Package Package::Open(std::string fileBytes, const std::filesystem::path& file, PackageLimits limits) {
  // Parts are inflated from the bytes in memory, and the parts copied on
  // saving come from the file as it was opened.
  auto bytes = std::make_unique<std::string>(std::move(fileBytes));
  zip_error_t error;
  zip_error_init(&error);
  ZipSourceHandle source(zip_source_buffer_create(bytes->data(), bytes->size(), 0, &error));
  zip_error_fini(&error);
  if (!source) throw PackageError(file.string() + ": too large to read");
  const std::uint64_t size = bytes->size();
  return FromSource(std::move(source), std::move(bytes), size, file, limits);
}

Package Package::FromSource(ZipSourceHandle source, std::unique_ptr<std::string> bytes, std::uint64_t size,
                            const std::filesystem::path& file, PackageLimits limits) {
  zip_error_t error;
  zip_error_init(&error);
  ZipHandle archive(zip_open_from_source(source.get(), ZIP_RDONLY | ZIP_CHECKCONS, &error));
  const int code = zip_error_code_zip(&error);
  zip_error_fini(&error);
  if (!archive) {
    throw PackageError(file.string() + ": not a workbook package, or a damaged one (" + ZipErrorText(code) + ")");
  }
  source.release();
  Package package;
  package.sourceFile_ = file;
  package.limits_ = limits;
  package.sourceBytes_ = std::move(bytes);
  package.sourceSize_ = size;
  const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
  for (zip_int64_t index = 0; index < count; ++index) {
    const char* name = zip_get_name(archive.get(), static_cast<zip_uint64_t>(index), ZIP_FL_ENC_GUESS);
    if (name == nullptr) throw PackageError(file.string() + ": damaged zip directory");
    package.parts_.push_back(Part{name, static_cast<zip_uint64_t>(index), nullptr, false, false});
  }
  package.source_ = std::move(archive);
  return package;
}

Package Package::Create() { return Package(); }

std::vector<std::string> Package::PartNames() const {
  std::vector<std::string> names;
  for (const Part& part : parts_) {
    if (!part.removed) names.push_back(part.name);
  }
  return names;
}

const Package::Part* Package::FindPart(const std::string& name) const {
  for (; indexed_ < parts_.size(); ++indexed_) {
    byName_.try_emplace(parts_[indexed_].name, indexed_);
    byLowerName_.try_emplace(LowerCase(parts_[indexed_].name), indexed_);
  }
  const auto exact = byName_.find(name);
  if (exact != byName_.end() && !parts_[exact->second].removed) return &parts_[exact->second];
  const auto folded = byLowerName_.find(LowerCase(name));
  if (folded == byLowerName_.end()) return nullptr;
  if (exact == byName_.end() && !parts_[folded->second].removed) return &parts_[folded->second];
  // A removed part comes first among those of its name.
  for (const Part& part : parts_) {
    if (!part.removed && part.name == name) return &part;
  }
  for (const Part& part : parts_) {
    if (!part.removed && SameNameIgnoringCase(part.name, name)) return &part;
  }
  return nullptr;
}

Package::Part* Package::FindPart(const std::string& name) {
  return const_cast<Part*>(static_cast<const Package*>(this)->FindPart(name));
}

std::optional<std::string> Package::Find(const std::string& name) const {
  const Part* part = FindPart(name);
  return part ? std::optional(part->name) : std::nullopt;
}

std::string Package::Inflate(const Part& part) {
  const std::string where = sourceFile_.string() + ": part " + part.name;
  const auto refuse = [&](const std::string& what, const char* option) {
    return PackageError(where + " " + what + "; refused as a possible zip bomb (raise the limit with " + option + ")");
  };
  zip_stat_t stat;
  if (zip_stat_index(source_.get(), *part.sourceIndex, 0, &stat) != 0) throw PackageError(where + " cannot be read");
  if ((stat.valid & ZIP_STAT_SIZE) != 0 && stat.size > limits_.maxPartBytes) {
    throw refuse("inflates to more than " + std::to_string(limits_.maxPartBytes) + " bytes", "--max-part-size");
  }
  // Past the grace size, a part may inflate only so many times what it
  // takes in the file, and the package so many times the file's size.
  const std::uint64_t compressed = (stat.valid & ZIP_STAT_COMP_SIZE) != 0 ? stat.comp_size : 0;
  const auto ratioBound = [&](std::uint64_t size) {
    return std::max<double>(limits_.ratioGraceBytes, limits_.maxInflateRatio * static_cast<double>(size));
  };
  const double partBound = ratioBound(compressed);
  const double packageBound = ratioBound(sourceSize_);
  const auto ratioText = [](std::uint64_t inflated, std::uint64_t size) {
    return std::to_string(inflated / std::max<std::uint64_t>(size, 1));
  };

  const bool withinLimits = (stat.valid & ZIP_STAT_SIZE) != 0 && stat.size <= partBound &&
                            inflatedBytes_ + stat.size <= std::min<double>(packageBound, limits_.maxTotalBytes);
  if (withinLimits) {
    if (std::optional<std::string> whole = InflateWhole(part, stat)) {
      inflatedBytes_ += whole->size();
      return std::move(*whole);
    }
  }

  // Inflated straight into the text, as large as the directory says the
  // part is, within the limits; what a longer part holds past that comes
  // through a small buffer. Anything wrong with the part shows here.
  ZipFileHandle file(zip_fopen_index(source_.get(), *part.sourceIndex, 0));
  if (!file) throw PackageError(where + " cannot be read (" + zip_strerror(source_.get()) + ")");
  std::uint64_t declared = (stat.valid & ZIP_STAT_SIZE) != 0 ? stat.size : 0;
  declared = std::min<double>(declared, std::min<double>(partBound, limits_.maxPartBytes));
  std::string bytes(static_cast<std::size_t>(declared), '\0');
  std::size_t filled = 0;
  char spare[1 << 12];
  for (;;) {
    const bool room = filled < bytes.size();
    const zip_int64_t read = room ? zip_fread(file.get(), bytes.data() + filled, bytes.size() - filled)
                                  : zip_fread(file.get(), spare, sizeof spare);
    if (read < 0) throw PackageError(where + " is damaged (" + zip_file_strerror(file.get()) + ")");
    if (read == 0) break;
    if (!room) bytes.append(spare, static_cast<std::size_t>(read));
    filled += static_cast<std::size_t>(read);
    inflatedBytes_ += static_cast<std::uint64_t>(read);
    if (filled > limits_.maxPartBytes) {
      throw refuse("inflates to more than " + std::to_string(limits_.maxPartBytes) + " bytes", "--max-part-size");
    }
    if (static_cast<double>(filled) > partBound) {
      throw refuse("inflates " + ratioText(filled, compressed) + " times its compressed size", "--max-inflate-ratio");
    }
    if (inflatedBytes_ > limits_.maxTotalBytes) {
      throw refuse("inflates the workbook past " + std::to_string(limits_.maxTotalBytes) + " bytes",
                   "--max-workbook-size");
    }
    if (static_cast<double>(inflatedBytes_) > packageBound) {
      throw refuse("inflates the workbook " + ratioText(inflatedBytes_, sourceSize_) +
                       " times the size of its file",
                   "--max-inflate-ratio");
    }
  }
  bytes.resize(filled);
  return bytes;
}

std::optional<std::string> Package::InflateWhole(const Part& part, const zip_stat_t& stat) {
  if ((stat.valid & (ZIP_STAT_COMP_METHOD | ZIP_STAT_COMP_SIZE | ZIP_STAT_CRC)) !=
          (ZIP_STAT_COMP_METHOD | ZIP_STAT_COMP_SIZE | ZIP_STAT_CRC) ||
      stat.comp_method != ZIP_CM_DEFLATE) {
    return std::nullopt;
  }
  ZipFileHandle raw(zip_fopen_index(source_.get(), *part.sourceIndex, ZIP_FL_COMPRESSED));
  if (!raw) return std::nullopt;
  std::string deflated(static_cast<std::size_t>(stat.comp_size), '\0');
  if (zip_fread(raw.get(), deflated.data(), deflated.size()) != static_cast<zip_int64_t>(deflated.size())) {
    return std::nullopt;
  }
  return InflateDeflated(deflated, static_cast<std::size_t>(stat.size), stat.crc);
}

const std::string& Package::Read(const std::string& name) {
  Part* part = FindPart(name);
  if (part == nullptr) throw PackageError(sourceFile_.string() + ": the part " + name + " is missing");
  if (!part->contents) part->contents = std::make_shared<const std::string>(Inflate(*part));
  return *part->contents;
}

std::string Package::Take(const std::string& name) {
  Part* part = FindPart(name);
  if (part == nullptr) throw PackageError(sourceFile_.string() + ": the part " + name + " is missing");
  if (part->changed || !part->sourceIndex) return *part->contents;
  if (!part->contents) return Inflate(*part);
  std::string bytes = *part->contents;
  part->contents.reset();
  return bytes;
}

std::string Package::ReadPrefix(const std::string& name, std::size_t size) {
  const Part* part = FindPart(name);
  if (part == nullptr) throw PackageError(sourceFile_.string() + ": the part " + name + " is missing");
  if (part->contents) return part->contents->substr(0, size);
  ZipFileHandle file(zip_fopen_index(source_.get(), *part->sourceIndex, 0));
  if (!file) throw PackageError(sourceFile_.string() + ": part " + part->name + " cannot be read");
  std::string bytes(size, '\0');
  std::size_t filled = 0;
  while (filled < size) {
    const zip_int64_t read = zip_fread(file.get(), bytes.data() + filled, size - filled);
    if (read < 0) throw PackageError(sourceFile_.string() + ": part " + part->name + " is damaged");
    if (read == 0) break;
    filled += static_cast<std::size_t>(read);
  }
  bytes.resize(filled);
  return bytes;
}

void Package::Write(const std::string& name, std::string bytes) {
  Write(name, std::make_shared<const std::string>(std::move(bytes)));
}

void Package::Write(const std::string& name, std::shared_ptr<const std::string> bytes) {
  Part* part = FindPart(name);
  if (part == nullptr) {
    parts_.push_back(Part{name, std::nullopt, nullptr, true, false});
    part = &parts_.back();
  }
  part->contents = std::move(bytes);
  part->changed = true;
}

void Package::Remove(const std::string& name) {
  if (Part* part = FindPart(name)) part->removed = true;
}

bool Package::Changed(const std::string& name) const {
  const Part* part = FindPart(name);
  return part != nullptr && part->changed;
}

void Package::WriteArchive(int descriptor, const std::filesystem::path& target) const {
  auto fail = [&](const std::string& what) {
    throw PackageError(target.string() + ": cannot be written (" + what + ")");
  };

  if (PartNames().empty()) fail("the package has no parts");
  std::vector<const Part*> written;
  for (const Part& part : parts_) {
    if (!part.removed && !part.name.ends_with('/') && (part.changed || !part.sourceIndex)) written.push_back(&part);
  }
  std::vector<std::string_view> contents;
  for (const Part* part : written) contents.emplace_back(*part->contents);
  const std::vector<std::unique_ptr<DeflatedPart>> deflated = DeflateParts(contents);

  ArchiveOutput output(descriptor);
  int code = 0;
  ZipHandle archive = output.NewArchive(code);
  if (!archive) fail(ZipErrorText(code));
  std::size_t next = 0;
  for (const Part& part : parts_) {
    if (part.removed) continue;
    if (part.name.ends_with('/')) {
      if (zip_dir_add(archive.get(), part.name.c_str(), ZIP_FL_ENC_UTF_8) < 0) fail(zip_strerror(archive.get()));
      continue;
    }
    const bool isWritten = next < written.size() && written[next] == &part;
    ZipSourceHandle source(isWritten ? deflated[next++]->Source(archive.get())
                                     : zip_source_zip(archive.get(), source_.get(), *part.sourceIndex, 0, 0, -1));
    if (!source) fail(zip_strerror(archive.get()));
    if (zip_file_add(archive.get(), part.name.c_str(), source.get(), ZIP_FL_ENC_UTF_8) < 0) {
      fail(zip_strerror(archive.get()));
    }
    source.release();
  }
  if (zip_close(archive.get()) != 0) fail(zip_strerror(archive.get()));
  archive.release();
}

void Package::Save(const std::filesystem::path& file) {
  SaveTarget target = ResolveSaveTarget(file);
  try {
    StagedFile staged(std::move(target));
    WriteArchive(staged.descriptor(), file);
    staged.Commit();
  } catch (const std::system_error& error) {
    throw PackageError(file.string() + ": cannot be written (" + error.code().message() + ")");
  }
}

}  // namespace tabulara::xlsx
