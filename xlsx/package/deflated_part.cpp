#include "xlsx/package/deflated_part.h"

#include <libdeflate.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

namespace tabulara::xlsx {
namespace {

constexpr int kLevel = 1;

struct CompressorFree {
  void operator()(libdeflate_compressor* compressor) const { libdeflate_free_compressor(compressor); }
};

struct DecompressorFree {
  void operator()(libdeflate_decompressor* decompressor) const { libdeflate_free_decompressor(decompressor); }
};

}  // namespace

DeflatedPart::DeflatedPart(std::string_view bytes)
    : size_(bytes.size()), crc_(libdeflate_crc32(0, bytes.data(), bytes.size())) {
  const std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(libdeflate_alloc_compressor(kLevel));
  if (!compressor) throw std::bad_alloc();
  deflated_.resize(libdeflate_deflate_compress_bound(compressor.get(), bytes.size()));
  deflated_.resize(
      libdeflate_deflate_compress(compressor.get(), bytes.data(), bytes.size(), deflated_.data(), deflated_.size()));
}

std::optional<std::string> InflateDeflated(std::string_view deflated, std::size_t size, std::uint32_t crc) {
  const std::unique_ptr<libdeflate_decompressor, DecompressorFree> decompressor(libdeflate_alloc_decompressor());
  if (!decompressor) throw std::bad_alloc();
  std::string bytes(size, '\0');
  std::size_t inflated = 0;
  if (libdeflate_deflate_decompress(decompressor.get(), deflated.data(), deflated.size(), bytes.data(), size,
                                    &inflated) != LIBDEFLATE_SUCCESS ||
      inflated != size || libdeflate_crc32(0, bytes.data(), size) != crc) {
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
