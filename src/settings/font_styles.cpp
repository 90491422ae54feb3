#include "settings/font_styles.h"

namespace tabulara::settings {

std::optional<FontStyle> FontStyleNamed(const std::string& name) {
  if (name == "Regular") return FontStyle{false, false};
  if (name == "Italic") return FontStyle{false, true};
  if (name == "Bold") return FontStyle{true, false};
  if (name == "Bold Italic") return FontStyle{true, true};
  return std::nullopt;
}

std::string FontStyleName(FontStyle style) { return kFontStyleNames[(style.bold ? 2 : 0) + (style.italic ? 1 : 0)]; }

}  // namespace tabulara::settings
