#include "embedded/rules/number_formats.h"

#include <string>

namespace tabulara::embedded {
namespace {

// Format codes are ASCII; no other byte lowers to one.
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsDateCode(char c) {
  switch (Lower(c)) {
    case 'd':
    case 'm':
    case 'y':
    case 'h':
    case 's':
      return true;
    default:
      return false;
  }
}

bool IsElapsedTime(std::string_view bracket) {
  if (bracket.empty()) return false;
  const char first = Lower(bracket.front());
  if (first != 'h' && first != 'm' && first != 's') return false;
  for (char c : bracket) {
    if (Lower(c) != first) return false;
  }
  return true;
}

}  // namespace

bool IsDateFormat(std::string_view format) {
  if (format == "General") return false;
  for (std::size_t at = 0; at < format.size(); ++at) {
    char c = format[at];
    switch (c) {
      case ';':
        return false;
      case '"': {
        std::size_t close = format.find('"', at + 1);
        if (close == std::string_view::npos) return false;
        at = close;
        break;
      }
      case '\\':
      case '_':
      case '*':
        ++at;
        break;
      case '[': {
        std::size_t close = format.find(']', at + 1);
        if (close == std::string_view::npos) return false;
        if (IsElapsedTime(format.substr(at + 1, close - at - 1))) return true;
        at = close;
        break;
      }
      default:
        if (IsDateCode(c)) return true;
    }
  }
  return false;
}

}  // namespace tabulara::embedded
