#include <unicode/uchar.h>

#include "embedded/rules/unicode_facts.h"

namespace tabulara::embedded::unicode {

char32_t SimpleCaseFolding(char32_t point) {
  return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(point), U_FOLD_CASE_DEFAULT));
}

bool IsDecimalDigit(char32_t point) { return u_isdigit(static_cast<UChar32>(point)) != 0; }

bool IsLetterOrNumber(char32_t point) {
  return (U_GET_GC_MASK(static_cast<UChar32>(point)) & (U_GC_L_MASK | U_GC_N_MASK)) != 0;
}

bool IsExtendedPictographic(char32_t point) {
  return u_hasBinaryProperty(static_cast<UChar32>(point), UCHAR_EXTENDED_PICTOGRAPHIC) != 0;
}

}  // namespace tabulara::embedded::unicode
