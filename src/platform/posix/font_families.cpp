#include "platform/posix/font_families.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <memory>

namespace tabulara::platform::posix {
namespace {

struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
struct ObjectSetDeleter {
  void operator()(FcObjectSet* set) const { FcObjectSetDestroy(set); }
};
struct FontSetDeleter {
  void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};

}  // namespace

std::vector<std::string> FontconfigFamilies() {
  std::vector<std::string> families;
  const std::unique_ptr<FcPattern, PatternDeleter> everything(FcPatternCreate());
  const std::unique_ptr<FcObjectSet, ObjectSetDeleter> family(FcObjectSetBuild(FC_FAMILY, nullptr));
  if (!everything || !family) return families;
  const std::unique_ptr<FcFontSet, FontSetDeleter> fonts(FcFontList(nullptr, everything.get(), family.get()));
  if (!fonts) return families;
  for (int i = 0; i < fonts->nfont; ++i) {
    FcChar8* name = nullptr;
    if (FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &name) == FcResultMatch) {
      families.emplace_back(reinterpret_cast<const char*>(name));
    }
  }
  std::sort(families.begin(), families.end());
  families.erase(std::unique(families.begin(), families.end()), families.end());
  return families;
}

}  // namespace tabulara::platform::posix
