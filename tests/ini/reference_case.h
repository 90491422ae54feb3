#pragma once

#include <cstddef>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tabulara::test {

// A case of tests/data/ini/cases.txt: calls of the profile functions on a
// file of the corpus (see the head of that file and of probe/probe.c).
struct ReferenceCase {
  enum class Kind { Read, Write };

  std::string line;  // as it stands in the case list
  Kind kind = Kind::Read;
  std::string name;
  std::string file;
  std::size_t size = 0;            // of the buffer, for a read
  std::vector<std::string> texts;  // section, key and default; or section, key and value per write
};

// A case with its result as the probe prints it, after "-> ".
struct RecordedCase {
  ReferenceCase call;
  std::string result;
};

// How a failing test shows its case.
void PrintTo(const RecordedCase& recorded, std::ostream* out);

// Both throw std::runtime_error naming the line that cannot be read.
std::vector<ReferenceCase> ReadCaseList(const std::filesystem::path& path);
std::vector<RecordedCase> ReadRecording(const std::filesystem::path& path);

// Bytes in double quotes with the probe's escapes.
std::string Quote(std::string_view bytes);

}  // namespace tabulara::test
