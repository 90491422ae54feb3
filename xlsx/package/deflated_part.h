#pragma once

#include <zip.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tabulara::xlsx {

// A part's bytes deflated here, at a fast level as the host's own files are,
// and handed to libzip as data it stores without compressing it again.
class DeflatedPart {
 public:
  DeflatedPart(std::uint64_t size, std::uint32_t crc, std::string deflated)
      : deflated_(std::move(deflated)), size_(size), crc_(crc) {}
  DeflatedPart(const DeflatedPart&) = delete;
  DeflatedPart& operator=(const DeflatedPart&) = delete;

  // A source of `archive` that reads this part, which must outlive it; null
  // when libzip cannot make one.
  zip_source_t* Source(zip_t* archive);

 private:
  static zip_int64_t Serve(void* state, void* data, zip_uint64_t length, zip_source_cmd_t command);

  std::string deflated_;
  std::uint64_t size_;
  std::uint32_t crc_;
  std::size_t offset_ = 0;
};

// Deflates every part on two threads. A large part is cut into pieces
// deflated apart, each ending byte-aligned with no reach back into the one
// before, so that joined they make one stream.
std::vector<std::unique_ptr<DeflatedPart>> DeflateParts(const std::vector<std::string_view>& parts);

// Deflated bytes inflated to exactly `size` bytes whose checksum is `crc`;
// none when they do not.
std::optional<std::string> InflateDeflated(std::string_view deflated, std::size_t size, std::uint32_t crc);

}  // namespace tabulara::xlsx
