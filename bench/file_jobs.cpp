#include "bench/file_jobs.h"

#include <sys/resource.h>

#include "embedded/embedded_host.h"
#include "xlsx/workbook_file.h"

namespace tabulara::bench {

void OpenAndSave(const std::filesystem::path& input, const std::filesystem::path& output) {
  xlsx::WorkbookFile::Open(input)->Save(output);
}

void ChangeEveryCellAndSave(const std::filesystem::path& input, const std::filesystem::path& output) {
  auto file = xlsx::WorkbookFile::Open(input);
  embedded::EmbeddedHost host;
  embedded::model::Workbook& workbook = host.Open(file->workbook());
  for (const auto& sheet : workbook.sheets) {
    sheet->grid().ForEachCell(embedded::model::CellRect::WholeSheet(),
                            [&](embedded::model::CellAddress, embedded::model::Cell& cell) {
                              if (cell.kind == embedded::model::ValueKind::Number) {
                                cell.SetNumber(cell.number + 1);
                              } else if (cell.kind == embedded::model::ValueKind::Text) {
                                cell.SetText(workbook.strings.Intern(workbook.strings.Text(cell.text) + "+"));
                              }
                            });
  }
  file->Save(output);
}

long PeakMemoryKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}


double ProcessorSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& time) { return static_cast<double>(time.tv_sec) + time.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace tabulara::bench
