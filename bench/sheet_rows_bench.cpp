// The worksheet row layer on its own: splitting a 65,536-row part into its
// rows, and reading and printing each row without a DOM, on rows shaped
// like those of bench/compare-menu-commands (three inline texts a row).
#include <benchmark/benchmark.h>

#include <string>

#include "xlsx/cells/plain_row.h"
#include "xlsx/cells/sheet_data_text.h"

namespace {

constexpr int kRows = 65536;

std::string WorksheetPart() {
  std::string part =
      "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>";
  for (int row = 1; row <= kRows; ++row) {
    part += "<row r=\"" + std::to_string(row) + "\">";
    for (const char column : {'A', 'B', 'C'}) {
      part += std::string("<c r=\"") + column + std::to_string(row) + "\" t=\"inlineStr\">";
      part += "<is><t xml:space=\"preserve\">  item " + std::to_string(row % 5000) + " </t></is></c>";
    }
    part += "</row>";
  }
  return part + "</sheetData></worksheet>";
}

const std::string& Part() {
  static const std::string part = WorksheetPart();
  return part;
}

void SplitPart(benchmark::State& state) {
  for (auto _ : state) {
    tabulara::xlsx::WorksheetText split = tabulara::xlsx::SplitWorksheetXml(Part(), "sheet1.xml");
    benchmark::DoNotOptimize(split.rows.pieces.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Part().size()));
}
BENCHMARK(SplitPart)->Unit(benchmark::kMillisecond);

void ParseAndPrintRows(benchmark::State& state) {
  const tabulara::xlsx::WorksheetText split = tabulara::xlsx::SplitWorksheetXml(Part(), "sheet1.xml");
  tabulara::xlsx::PlainRow row;
  std::string printed;
  printed.reserve(split.rows.text.size());
  for (auto _ : state) {
    printed.clear();
    for (const tabulara::xlsx::SheetDataPiece& piece : split.rows.pieces) {
      const std::string_view text(split.rows.text.data() + piece.begin, piece.end - piece.begin);
      if (tabulara::xlsx::ParsePlainRow(text, row)) tabulara::xlsx::PrintPlainRow(row, printed);
    }
    benchmark::DoNotOptimize(printed.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * split.rows.text.size()));
}
BENCHMARK(ParseAndPrintRows)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
