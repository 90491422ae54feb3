#include "embedded/rules/error_values.h"

#include <array>
#include <utility>

#include "host/constants.h"

namespace tabulara::embedded {
namespace {

constexpr std::array<std::pair<int, std::string_view>, 14> kErrors{{
    {host::xlErrNull, "#NULL!"},
    {host::xlErrDiv0, "#DIV/0!"},
    {host::xlErrValue, "#VALUE!"},
    {host::xlErrRef, "#REF!"},
    {host::xlErrName, "#NAME?"},
    {host::xlErrNum, "#NUM!"},
    {host::xlErrNA, "#N/A"},
    {2043, "#GETTING_DATA"},
    {2045, "#SPILL!"},
    {2046, "#CONNECT!"},
    {2047, "#BLOCKED!"},
    {2048, "#UNKNOWN!"},
    {2049, "#FIELD!"},
    {2050, "#CALC!"},
}};

}  // namespace

std::optional<int> ErrorCodeOf(std::string_view text) {
  for (const auto& [code, name] : kErrors) {
    if (name == text) return code;
  }
  return std::nullopt;
}

std::string_view ErrorTextOf(int code) {
  for (const auto& [known, name] : kErrors) {
    if (known == code) return name;
  }
  return "#VALUE!";
}

}  // namespace tabulara::embedded
