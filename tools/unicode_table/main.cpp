// Writes the Unicode facts the embedded host's rules use, as ICU gives them,
// as a C++ source of the tables in embedded/rules/unicode_table.h, for the
// builds that have no ICU:
//   tabulara_unicode_table OUTPUT
#include <unicode/uchar.h>
#include <unicode/uversion.h>

#include <cstdint>
#include <fstream>
#include <iostream>
#include <sstream>

#include "embedded/rules/unicode_table.h"

namespace {

using namespace tabulara::embedded::unicode;

constexpr UChar32 kLastCodePoint = 0x10FFFF;

std::uint8_t PropertiesOf(UChar32 point) {
  std::uint8_t properties = 0;
  if (u_isdigit(point)) properties |= kDecimalDigit;
  if ((U_GET_GC_MASK(point) & (U_GC_L_MASK | U_GC_N_MASK)) != 0) properties |= kLetterOrNumber;
  if (u_hasBinaryProperty(point, UCHAR_EXTENDED_PICTOGRAPHIC)) properties |= kExtendedPictographic;
  return properties;
}

void WriteCaseFoldings(std::ostream& out) {
  out << "constexpr CaseFolding kFoldings[] = {\n";
  for (UChar32 point = 0; point <= kLastCodePoint; ++point) {
    const UChar32 folded = u_foldCase(point, U_FOLD_CASE_DEFAULT);
    if (folded != point) out << "    {0x" << point << ", 0x" << folded << "},\n";
  }
  out << "};\n";
}

void WritePropertyRuns(std::ostream& out) {
  out << "constexpr PropertyRun kRuns[] = {\n";
  UChar32 first = 0;
  std::uint8_t properties = PropertiesOf(0);
  for (UChar32 point = 1; point <= kLastCodePoint + 1; ++point) {
    const std::uint8_t next = point <= kLastCodePoint ? PropertiesOf(point) : 0xFF;
    if (next == properties) continue;
    if (properties != 0) out << "    {0x" << first << ", 0x" << point - 1 << ", " << int{properties} << "},\n";
    first = point;
    properties = next;
  }
  out << "};\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: tabulara_unicode_table OUTPUT\n";
    return 2;
  }
  std::ostringstream table;
  table << std::hex << "// Written by tabulara_unicode_table from ICU " U_ICU_VERSION " (Unicode " U_UNICODE_VERSION
                       "); not to be edited.\n"
        << "#include \"embedded/rules/unicode_table.h\"\n\n"
        << "namespace tabulara::embedded::unicode {\n"
        << "namespace {\n\n";
  WriteCaseFoldings(table);
  table << '\n';
  WritePropertyRuns(table);
  table << "\n}  // namespace\n\n"
        << "const std::span<const CaseFolding> kCaseFoldings(kFoldings);\n"
        << "const std::span<const PropertyRun> kPropertyRuns(kRuns);\n\n"
        << "}  // namespace tabulara::embedded::unicode\n";
  std::ofstream out(argv[1], std::ios::binary);
  out << table.str();
  out.close();
  if (!out) {
    std::cerr << "tabulara_unicode_table: cannot write " << argv[1] << '\n';
    return 1;
  }
  return 0;
}
