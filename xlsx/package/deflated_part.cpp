#include "xlsx/package/deflated_part.h"

#include <isa-l/crc.h>
#include <isa-l/igzip_lib.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <future>
#include <memory>
#include <stdexcept>

#include "xlsx/package/huge_pages.h"

namespace tabulara::xlsx {
namespace {

// Large enough that cutting a part costs next to nothing in size, small
// enough that a large part keeps both threads busy.
constexpr std::size_t kPieceSize = std::size_t{4} << 20;

struct Piece {
  std::size_t part;
  std::string_view bytes;
  bool last;
  // Not cleared first: a piece writes a fraction of its room, and clearing
  // would touch every page of it.
  std::unique_ptr<unsigned char[]> deflated;
  std::size_t deflatedSize = 0;
};

std::uint32_t Crc32(std::string_view bytes) {
  return crc32_gzip_refl(0, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

void Deflate(Piece& piece) {
  std::vector<unsigned char> levelBuffer(ISAL_DEF_LVL1_DEFAULT);
  isal_zstream stream;
  isal_deflate_stateless_init(&stream);
  stream.level = 1;
  stream.level_buf = levelBuffer.data();
  stream.level_buf_size = static_cast<std::uint32_t>(levelBuffer.size());
  stream.flush = piece.last ? NO_FLUSH : FULL_FLUSH;
  stream.end_of_stream = piece.last ? 1 : 0;
  stream.next_in = reinterpret_cast<unsigned char*>(const_cast<char*>(piece.bytes.data()));
  stream.avail_in = static_cast<std::uint32_t>(piece.bytes.size());
  // At worst the piece is stored: its bytes and a header per 64 KiB block.
  const std::size_t room = piece.bytes.size() + piece.bytes.size() / 1024 + 1024;
  piece.deflated = std::make_unique_for_overwrite<unsigned char[]>(room);
  stream.next_out = piece.deflated.get();
  stream.avail_out = static_cast<std::uint32_t>(room);
  if (isal_deflate_stateless(&stream) != COMP_OK) throw std::runtime_error("a part could not be deflated");
  piece.deflatedSize = stream.total_out;
}

std::vector<Piece> CutIntoPieces(const std::vector<std::string_view>& parts) {
  std::vector<Piece> pieces;
  for (std::size_t part = 0; part < parts.size(); ++part) {
    std::string_view rest = parts[part];
    do {
      const std::string_view bytes = rest.substr(0, kPieceSize);
      rest.remove_prefix(bytes.size());
      pieces.push_back({part, bytes, rest.empty(), {}, 0});
    } while (!rest.empty());
  }
  return pieces;
}

}  // namespace

std::vector<std::unique_ptr<DeflatedPart>> DeflateParts(const std::vector<std::string_view>& parts) {
  std::vector<Piece> pieces = CutIntoPieces(parts);
  std::atomic<std::size_t> next = 0;
  const auto work = [&] {
    for (std::size_t at; (at = next++) < pieces.size();) Deflate(pieces[at]);
  };
  auto helper = std::async(std::launch::async, work);
  work();
  helper.get();
  std::vector<std::unique_ptr<DeflatedPart>> deflated;
  deflated.reserve(parts.size());
  auto piece = pieces.begin();
  for (std::size_t part = 0; part < parts.size(); ++part) {
    const auto end = std::find_if(piece, pieces.end(), [part](const Piece& each) { return each.part != part; });
    std::size_t size = 0;
    for (auto each = piece; each != end; ++each) size += each->deflatedSize;
    std::string joined;
    joined.reserve(size);
    for (; piece != end; ++piece) {
      joined.append(reinterpret_cast<const char*>(piece->deflated.get()), piece->deflatedSize);
    }
    deflated.push_back(std::make_unique<DeflatedPart>(parts[part].size(), Crc32(parts[part]), std::move(joined)));
  }
  return deflated;
}

std::optional<std::string> InflateDeflated(std::string_view deflated, std::size_t size, std::uint32_t crc) {
  constexpr std::size_t kMost = UINT32_MAX;
  if (size > kMost || deflated.size() > kMost) return std::nullopt;
  std::string bytes;
  ReserveLargeText(bytes, size);
  bytes.resize(size);
  inflate_state state;
  isal_inflate_init(&state);
  state.next_in = reinterpret_cast<unsigned char*>(const_cast<char*>(deflated.data()));
  state.avail_in = static_cast<std::uint32_t>(deflated.size());
  state.next_out = reinterpret_cast<unsigned char*>(bytes.data());
  state.avail_out = static_cast<std::uint32_t>(size);
  if (isal_inflate_stateless(&state) != ISAL_DECOMP_OK || state.total_out != size || Crc32(bytes) != crc) {
    return std::nullopt;
  }
  return bytes;
}

zip_source_t* DeflatedPart::Source(zip_t* archive) { return zip_source_function(archive, &DeflatedPart::Serve, this); }

zip_int64_t DeflatedPart::Serve(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command) {
  auto& part = *static_cast<DeflatedPart*>(state);
  switch (command) {
    case ZIP_SOURCE_OPEN:
      part.offset_ = 0;
      return 0;
    case ZIP_SOURCE_READ: {
      const std::size_t count = std::min<std::size_t>(length, part.deflated_.size() - part.offset_);
      std::memcpy(data, part.deflated_.data() + part.offset_, count);
      part.offset_ += count;
      return static_cast<zip_int64_t>(count);
    }
    case ZIP_SOURCE_STAT: {
      auto* stat = static_cast<zip_stat_t*>(data);
      if (length < sizeof(*stat)) return -1;
      zip_stat_init(stat);
      stat->size = part.size_;
      stat->comp_size = part.deflated_.size();
      stat->comp_method = ZIP_CM_DEFLATE;
      stat->crc = part.crc_;
      stat->valid = ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_CRC;
      return sizeof(*stat);
    }
    case ZIP_SOURCE_CLOSE:
    case ZIP_SOURCE_FREE:
      return 0;
    case ZIP_SOURCE_ERROR: {
      if (length < 2 * sizeof(int)) return -1;
      const int codes[2] = {ZIP_ER_INTERNAL, 0};
      std::memcpy(data, codes, sizeof codes);
      return sizeof codes;
    }
    case ZIP_SOURCE_SUPPORTS:
      return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                            ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default:
      return -1;
  }
}

}  // namespace tabulara::xlsx
