#pragma once

#include <optional>
#include <string>

namespace tabulara::settings {

// The four names of the font style box, in its order.
inline constexpr const char* kFontStyleNames[] = {"Regular", "Italic", "Bold", "Bold Italic"};

struct FontStyle {
  bool bold = false;
  bool italic = false;
};

// The style a name stands for, compared exactly; none for any other text.
std::optional<FontStyle> FontStyleNamed(const std::string& name);
// The name of a style.
std::string FontStyleName(FontStyle style);

}  // namespace tabulara::settings
