// Checks a language file kept in UTF-8 and writes it in a Windows ANSI code
// page:
//   tabulara_language_file SOURCE CODE_PAGE OUTPUT
// Any fault is printed, naming the entry, and nothing is written.
#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "code_page_converter.h"
#include "language_file_faults.h"
#include "platform/ini/code_page.h"

namespace {

using tabulara::tools::CodePageConverter;

std::string ReadBytes(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int Run(const std::string& source, int codePage, const std::string& output) {
  const std::string text = ReadBytes(source);
  const CodePageConverter converter(codePage);
  const auto faults = tabulara::tools::LanguageFileFaults(text, converter);
  for (const std::string& fault : faults) std::cerr << source << ": " << fault << "\n";
  if (!faults.empty()) return 1;
  const auto encoded = converter.FromWide(tabulara::platform::ini::AnsiToWide(text));
  if (!encoded) {
    std::cerr << source << ": a comment or section name has a character with no form in code page " << codePage << "\n";
    return 1;
  }
  std::ofstream out(output, std::ios::binary | std::ios::trunc);
  out << *encoded;
  if (!out.flush()) throw std::runtime_error("cannot write " + output);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: tabulara_language_file SOURCE CODE_PAGE OUTPUT\n";
    return 2;
  }
  try {
    return Run(argv[1], std::stoi(argv[2]), argv[3]);
  } catch (const std::exception& error) {
    std::cerr << argv[1] << ": " << error.what() << "\n";
    return 1;
  }
}
