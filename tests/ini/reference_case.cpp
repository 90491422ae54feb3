#include "ini/reference_case.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <utility>

namespace tabulara::test {

namespace {

std::runtime_error BadLine(const std::filesystem::path& path, int number, std::string_view why) {
  return std::runtime_error(path.string() + ":" + std::to_string(number) + ": " + std::string(why));
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The text of a quoted field that starts at `at`; moves `at` past it.
std::string Unquote(std::string_view line, std::size_t& at) {
  std::string text;
  ++at;
  while (at < line.size() && line[at] != '"') {
    char c = line[at++];
    if (c == '\\') {
      if (at == line.size()) throw std::invalid_argument("escape at the end of the line");
      switch (const char escaped = line[at++]) {
        case 'r': c = '\r'; break;
        case 'n': c = '\n'; break;
        case 't': c = '\t'; break;
        case '0': c = '\0'; break;
        case '\\':
        case '"': c = escaped; break;
        case 'x': {
          const int high = at + 1 < line.size() ? HexDigit(line[at]) : -1;
          const int low = high < 0 ? -1 : HexDigit(line[at + 1]);
          if (low < 0) throw std::invalid_argument("bad \\x escape");
          c = static_cast<char>(high * 16 + low);
          at += 2;
          break;
        }
        default: throw std::invalid_argument("unknown escape");
      }
    }
    text += c;
  }
  if (at == line.size()) throw std::invalid_argument("unclosed quote");
  ++at;
  return text;
}

struct Field {
  std::string text;
  bool quoted = false;
};

std::vector<Field> Split(std::string_view line) {
  std::vector<Field> fields;
  std::size_t at = 0;
  while (true) {
    while (at < line.size() && line[at] == ' ') ++at;
    if (at == line.size()) return fields;
    if (line[at] == '"') {
      fields.push_back({Unquote(line, at), true});
      if (at < line.size() && line[at] != ' ') throw std::invalid_argument("text after a quote");
    } else {
      const std::size_t end = std::min(line.find(' ', at), line.size());
      fields.push_back({std::string(line.substr(at, end - at)), false});
      at = end;
    }
  }
}

ReferenceCase ParseCase(std::string_view line) {
  const std::vector<Field> fields = Split(line);
  ReferenceCase parsed;
  parsed.line = line;
  const bool isRead = fields.size() == 7 && fields[0].text == "read";
  const bool isWrite = fields.size() >= 6 && fields.size() % 3 == 0 && fields[0].text == "write";
  if (!isRead && !isWrite) throw std::invalid_argument("neither a read nor a write");
  parsed.kind = isRead ? ReferenceCase::Kind::Read : ReferenceCase::Kind::Write;
  parsed.name = fields[1].text;
  parsed.file = fields[2].text;
  std::size_t first = 3;
  if (isRead) {
    parsed.size = std::stoul(fields[3].text);
    first = 4;
  }
  for (std::size_t i = first; i < fields.size(); ++i) {
    if (!fields[i].quoted) throw std::invalid_argument("names and values go in quotes");
    parsed.texts.push_back(fields[i].text);
  }
  return parsed;
}

// The lines that are neither blank nor comments, with their numbers.
std::vector<std::pair<int, std::string>> MeaningfulLines(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot read " + path.string());
  std::vector<std::pair<int, std::string>> lines;
  std::string line;
  for (int number = 1; std::getline(file, line); ++number) {
    if (line.ends_with('\r')) line.pop_back();
    if (!line.empty() && !line.starts_with('#')) lines.emplace_back(number, line);
  }
  return lines;
}

ReferenceCase ParseCaseAt(const std::filesystem::path& path, int number, std::string_view line) {
  try {
    return ParseCase(line);
  } catch (const std::exception& error) {
    throw BadLine(path, number, error.what());
  }
}

}  // namespace

std::vector<ReferenceCase> ReadCaseList(const std::filesystem::path& path) {
  std::vector<ReferenceCase> cases;
  for (const auto& [number, line] : MeaningfulLines(path)) cases.push_back(ParseCaseAt(path, number, line));
  return cases;
}

std::vector<RecordedCase> ReadRecording(const std::filesystem::path& path) {
  const auto lines = MeaningfulLines(path);
  std::vector<RecordedCase> recording;
  for (std::size_t i = 0; i < lines.size(); i += 2) {
    const auto& [number, line] = lines[i];
    if (i + 1 == lines.size() || !lines[i + 1].second.starts_with("-> ")) {
      throw BadLine(path, number, "a case without its result");
    }
    recording.push_back({ParseCaseAt(path, number, line), lines[i + 1].second.substr(3)});
  }
  return recording;
}

void PrintTo(const RecordedCase& recorded, std::ostream* out) { *out << recorded.call.line; }

std::string Quote(std::string_view bytes) {
  std::string quoted = "\"";
  for (const char c : bytes) {
    switch (c) {
      case '\\': quoted += "\\\\"; break;
      case '"': quoted += "\\\""; break;
      case '\r': quoted += "\\r"; break;
      case '\n': quoted += "\\n"; break;
      case '\t': quoted += "\\t"; break;
      case '\0': quoted += "\\0"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) {
          char hex[5];
          std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned char>(c));
          quoted += hex;
        } else {
          quoted += c;
        }
    }
  }
  return quoted + '"';
}

}  // namespace tabulara::test
