#include "xlsx/compound_files.h"

#include <cstdint>
#include <stdexcept>

namespace tabulara::xlsx::testing {
namespace {

constexpr std::size_t kSectorBytes = 512;
constexpr std::uint32_t kFree = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kTableSector = 0xFFFFFFFD;

void Put(std::string& bytes, std::size_t offset, std::uint32_t value, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) bytes[offset + i] = static_cast<char>(value >> (8 * i) & 0xFF);
}

// A directory entry: the name in UTF-16LE with its terminator, the type,
// no siblings or children, no data.
void PutEntry(std::string& bytes, std::size_t offset, const std::string& name, unsigned char type) {
  for (std::size_t i = 0; i < name.size(); ++i) Put(bytes, offset + 2 * i, static_cast<unsigned char>(name[i]), 2);
  Put(bytes, offset + 0x40, static_cast<std::uint32_t>(2 * (name.size() + 1)), 2);
  bytes[offset + 0x42] = static_cast<char>(type);
  for (const std::size_t sibling : {0x44, 0x48, 0x4C}) Put(bytes, offset + sibling, kFree, 4);
  Put(bytes, offset + 0x74, kEndOfChain, 4);
}

}  // namespace

std::string CompoundFileWithStreams(const std::vector<std::string>& names) {
  if (names.size() > 3) throw std::invalid_argument("one directory sector holds four entries");
  std::string bytes(3 * kSectorBytes, '\0');
  bytes.replace(0, 8, "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
  Put(bytes, 0x18, 0x3E, 2);
  Put(bytes, 0x1A, 3, 2);
  Put(bytes, 0x1C, 0xFFFE, 2);
  Put(bytes, 0x1E, 9, 2);
  Put(bytes, 0x20, 6, 2);
  Put(bytes, 0x2C, 1, 4);
  Put(bytes, 0x30, 1, 4);
  Put(bytes, 0x38, 0x1000, 4);
  Put(bytes, 0x3C, kEndOfChain, 4);
  Put(bytes, 0x44, kEndOfChain, 4);
  for (std::size_t i = 0; i < 109; ++i) Put(bytes, 0x4C + 4 * i, i == 0 ? 0 : kFree, 4);

  const std::size_t table = kSectorBytes;
  for (std::size_t i = 0; i < kSectorBytes / 4; ++i) Put(bytes, table + 4 * i, kFree, 4);
  Put(bytes, table, kTableSector, 4);
  Put(bytes, table + 4, kEndOfChain, 4);

  const std::size_t directory = 2 * kSectorBytes;
  PutEntry(bytes, directory, "Root Entry", 5);
  for (std::size_t i = 0; i < names.size(); ++i) PutEntry(bytes, directory + 128 * (i + 1), names[i], 2);
  return bytes;
}

}  // namespace tabulara::xlsx::testing
