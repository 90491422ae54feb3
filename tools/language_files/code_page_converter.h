#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct UConverter;

namespace tabulara::tools {

// Text into one of the Windows ANSI code pages (1252, 932, 936, 950), with
// the tables ICU keeps for them. A character the code page cannot hold is an
// error, never a substitute.
class CodePageConverter {
 public:
  // Throws std::runtime_error when ICU has no table for the code page.
  explicit CodePageConverter(int codePage);

  int CodePage() const { return codePage_; }
  // The text's bytes in the code page, or none when a character has no form
  // in it.
  std::optional<std::string> FromWide(std::u16string_view text) const;

 private:
  struct Closer {
    void operator()(UConverter* converter) const;
  };
  int codePage_;
  std::unique_ptr<UConverter, Closer> converter_;
};

}  // namespace tabulara::tools
