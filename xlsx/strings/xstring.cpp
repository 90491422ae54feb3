#include "xlsx/strings/xstring.h"

#include "xlsx/xml/xml_names.h"

namespace tabulara::xlsx {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The code point of an escape "_xHHHH_" at `at`, or -1.
long EscapeAt(std::string_view text, std::size_t at) {
  if (at + 7 > text.size() || text[at] != '_' || (text[at + 1] != 'x' && text[at + 1] != 'X') || text[at + 6] != '_') {
    return -1;
  }
  long code = 0;
  for (std::size_t i = at + 2; i < at + 6; ++i) {
    const int digit = HexValue(text[i]);
    if (digit < 0) return -1;
    code = code * 16 + digit;
  }
  return code;
}

void AppendUtf8(std::string& out, long code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

void AppendEscape(std::string& out, unsigned code) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += "_x";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(code >> shift) & 0xF];
  out += '_';
}

void AppendRunText(std::string& out, const pugi::xml_node& run) {
  for (const pugi::xml_node t : run.children()) {
    if (IsNamed(t, "t")) out += DecodeXstring(t.text().get());
  }
}

}  // namespace

std::string DecodeXstring(std::string_view text) {
  if (text.find('_') == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const long code = EscapeAt(text, at);
    if (code < 0) {
      out += text[at++];
      continue;
    }
    AppendUtf8(out, code);
    at += 7;
  }
  return out;
}

std::string EncodeXstring(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size(); ++at) {
    const auto c = static_cast<unsigned char>(text[at]);
    if (c < 0x20 && c != '\t' && c != '\n') {
      AppendEscape(out, c);
    } else if (c == '_' && EscapeAt(text, at) >= 0) {
      AppendEscape(out, '_');
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string PlainTextOf(const pugi::xml_node& item) {
  std::string text;
  for (const pugi::xml_node child : item.children()) {
    if (IsNamed(child, "t")) {
      text += DecodeXstring(child.text().get());
    } else if (IsNamed(child, "r")) {
      AppendRunText(text, child);
    }
  }
  return text;
}

bool NeedsPreservedSpace(std::string_view encoded) {
  return !encoded.empty() && (encoded.front() == ' ' || encoded.back() == ' ' ||
                              encoded.find_first_of("\t\n") != std::string_view::npos ||
                              encoded.find("  ") != std::string_view::npos);
}

void WritePlainText(pugi::xml_node item, std::string_view text) {
  pugi::xml_node t = item.append_child(NameLike(item, "t").c_str());
  const std::string encoded = EncodeXstring(text);
  if (NeedsPreservedSpace(encoded)) t.append_attribute("xml:space") = "preserve";
  t.text().set(encoded.c_str());
}

}  // namespace tabulara::xlsx
