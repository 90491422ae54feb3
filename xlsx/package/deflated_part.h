#pragma once

#include <zip.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tabulara::xlsx {

// A part's bytes deflated here, at a fast level as the host's own files are,
// and handed to libzip as data it stores without compressing it again.
class DeflatedPart {
 public:
  explicit DeflatedPart(std::string_view bytes);
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

// Deflated bytes inflated to exactly `size` bytes whose checksum is `crc`;
// none when they do not.
std::optional<std::string> InflateDeflated(std::string_view deflated, std::size_t size, std::uint32_t crc);

}  // namespace tabulara::xlsx
