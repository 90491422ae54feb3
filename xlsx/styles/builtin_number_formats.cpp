#include "xlsx/styles/builtin_number_formats.h"

#include <array>
#include <utility>

namespace tabulara::xlsx {
namespace {

// The ids the host writes for these codes come first; the codes after them
// share a code with an earlier id and are only read.
constexpr std::array<std::pair<int, std::string_view>, 36> kBuiltins{{
    {0, "General"},
    {1, "0"},
    {2, "0.00"},
    {3, "#,##0"},
    {4, "#,##0.00"},
    {9, "0%"},
    {10, "0.00%"},
    {11, "0.00E+00"},
    {12, "# ?/?"},
    {13, "# ?\?/??"},
    {14, "m/d/yyyy"},
    {15, "d-mmm-yy"},
    {16, "d-mmm"},
    {17, "mmm-yy"},
    {18, "h:mm AM/PM"},
    {19, "h:mm:ss AM/PM"},
    {20, "h:mm"},
    {21, "h:mm:ss"},
    {22, "m/d/yyyy h:mm"},
    {37, "#,##0 ;(#,##0)"},
    {38, "#,##0 ;[Red](#,##0)"},
    {39, "#,##0.00;(#,##0.00)"},
    {40, "#,##0.00;[Red](#,##0.00)"},
    {45, "mm:ss"},
    {46, "[h]:mm:ss"},
    {47, "mmss.0"},
    {48, "##0.0E+0"},
    {49, "@"},
    {5, "$#,##0_);($#,##0)"},
    {6, "$#,##0_);[Red]($#,##0)"},
    {7, "$#,##0.00_);($#,##0.00)"},
    {8, "$#,##0.00_);[Red]($#,##0.00)"},
    {41, "_(* #,##0_);_(* (#,##0);_(* \"-\"_);_(@_)"},
    {42, "_($* #,##0_);_($* (#,##0);_($* \"-\"_);_(@_)"},
    {43, "_(* #,##0.00_);_(* (#,##0.00);_(* \"-\"??_);_(@_)"},
    {44, "_($* #,##0.00_);_($* (#,##0.00);_($* \"-\"??_);_(@_)"},
}};

bool IsEastAsianDate(int id) { return (id >= 27 && id <= 31) || id == 36 || (id >= 50 && id <= 58); }
bool IsEastAsianTime(int id) { return id >= 32 && id <= 35; }

}  // namespace

std::optional<std::string_view> BuiltinNumberFormat(int id) {
  for (const auto& [builtinId, code] : kBuiltins) {
    if (builtinId == id) return code;
  }
  if (IsEastAsianDate(id)) return "yyyy/m/d";
  if (IsEastAsianTime(id)) return "h:mm:ss";
  return std::nullopt;
}

std::optional<int> BuiltinNumberFormatId(std::string_view code) {
  for (const auto& [id, builtinCode] : kBuiltins) {
    if (builtinCode == code) return id;
  }
  return std::nullopt;
}

}  // namespace tabulara::xlsx
