#include "xlsx/legacy/compound_file.h"

#include <cstdint>

namespace tabulara::xlsx {
namespace {

constexpr std::string_view kSignature{"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8};
constexpr std::size_t kHeaderBytes = 512;
constexpr std::size_t kHeaderFatLocations = 109;
constexpr std::size_t kDirectoryEntryBytes = 128;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kLastRegularSector = 0xFFFFFFFA;

std::uint32_t LittleEndian(std::string_view bytes, std::size_t offset, std::size_t width) {
  std::uint32_t value = 0;
  for (std::size_t i = width; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
  return value;
}

// A name stored as UTF-16LE; what is not ASCII becomes '?', as the names
// looked for are ASCII.
std::string EntryName(std::string_view entry) {
  const std::uint32_t bytes = LittleEndian(entry, 0x40, 2);
  std::string name;
  for (std::uint32_t offset = 0; offset + 2 < bytes && offset + 2 <= 64; offset += 2) {
    const std::uint32_t unit = LittleEndian(entry, offset, 2);
    name += unit < 0x80 ? static_cast<char>(unit) : '?';
  }
  return name;
}

// The sectors of a compound file and the chains the allocation table makes
// of them; every look-up is checked against the file's size.
class Sectors {
 public:
  explicit Sectors(std::string_view bytes, std::size_t sectorBytes)
      : bytes_(bytes), sectorBytes_(sectorBytes), count_(bytes.size() / sectorBytes - 1) {}

  std::size_t count() const { return count_; }
  std::size_t bytes() const { return sectorBytes_; }

  std::optional<std::string_view> At(std::uint32_t index) const {
    if (index > kLastRegularSector || index >= count_) return std::nullopt;
    return bytes_.substr((std::size_t{index} + 1) * sectorBytes_, sectorBytes_);
  }

  // Reads the allocation table from the sectors that hold it; false when
  // one lies outside the file.
  bool ReadTable(const std::vector<std::uint32_t>& locations) {
    for (const std::uint32_t location : locations) {
      const auto sector = At(location);
      if (!sector) return false;
      for (std::size_t offset = 0; offset < sectorBytes_; offset += 4) {
        table_.push_back(LittleEndian(*sector, offset, 4));
      }
    }
    return true;
  }

  // The sector after `index` in its chain, or kEndOfChain.
  std::optional<std::uint32_t> Next(std::uint32_t index) const {
    if (index >= table_.size()) return std::nullopt;
    return table_[index];
  }

 private:
  std::string_view bytes_;
  std::size_t sectorBytes_;
  std::size_t count_;
  std::vector<std::uint32_t> table_;
};

// Where the sectors of the allocation table are: the first 109 in the
// header, the rest in a chain of sectors of their own.
std::optional<std::vector<std::uint32_t>> TableLocations(std::string_view header, const Sectors& sectors) {
  const std::uint32_t total = LittleEndian(header, 0x2C, 4);
  if (total > sectors.count()) return std::nullopt;
  std::vector<std::uint32_t> locations;
  for (std::size_t i = 0; i < kHeaderFatLocations && locations.size() < total; ++i) {
    locations.push_back(LittleEndian(header, 0x4C + 4 * i, 4));
  }
  std::uint32_t next = LittleEndian(header, 0x44, 4);
  for (std::size_t steps = 0; locations.size() < total; ++steps) {
    const auto sector = sectors.At(next);
    if (!sector || steps > sectors.count()) return std::nullopt;
    const std::size_t last = sectors.bytes() - 4;
    for (std::size_t offset = 0; offset < last && locations.size() < total; offset += 4) {
      locations.push_back(LittleEndian(*sector, offset, 4));
    }
    next = LittleEndian(*sector, last, 4);
  }
  return locations;
}

}  // namespace

bool HasCompoundFileSignature(std::string_view bytes) { return bytes.starts_with(kSignature); }

std::optional<std::vector<std::string>> CompoundFileEntryNames(std::string_view bytes) {
  if (bytes.size() < kHeaderBytes || !HasCompoundFileSignature(bytes)) return std::nullopt;
  if (LittleEndian(bytes, 0x1C, 2) != 0xFFFE) return std::nullopt;
  const std::uint32_t sectorShift = LittleEndian(bytes, 0x1E, 2);
  if (sectorShift != 9 && sectorShift != 12) return std::nullopt;
  const std::size_t sectorBytes = std::size_t{1} << sectorShift;
  if (bytes.size() < sectorBytes) return std::nullopt;
  Sectors sectors(bytes, sectorBytes);
  const auto locations = TableLocations(bytes.substr(0, kHeaderBytes), sectors);
  if (!locations || !sectors.ReadTable(*locations)) return std::nullopt;

  std::vector<std::string> names;
  std::uint32_t current = LittleEndian(bytes, 0x30, 4);
  for (std::size_t steps = 0; current != kEndOfChain; ++steps) {
    const auto sector = sectors.At(current);
    const auto next = sectors.Next(current);
    if (!sector || !next || steps > sectors.count()) return std::nullopt;
    for (std::size_t offset = 0; offset + kDirectoryEntryBytes <= sectorBytes; offset += kDirectoryEntryBytes) {
      const std::string_view entry = sector->substr(offset, kDirectoryEntryBytes);
      const auto type = static_cast<unsigned char>(entry[0x42]);
      // 1 a storage, 2 a stream, 5 the root storage; 0 an unused entry.
      if (type == 1 || type == 2 || type == 5) names.push_back(EntryName(entry));
    }
    current = *next;
  }
  return names;
}

}  // namespace tabulara::xlsx
