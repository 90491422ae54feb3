// One file job in a process of its own, for bench/compare-openpyxl:
//   tabulara-file-job open-save|change-all INPUT OUTPUT
// prints "SECONDS PROCESSOR_SECONDS PEAK_KIB".
#include <chrono>
#include <cstring>
#include <exception>
#include <iostream>

#include "bench/file_jobs.h"

int main(int argc, char** argv) {
  if (argc != 4 || (std::strcmp(argv[1], "open-save") != 0 && std::strcmp(argv[1], "change-all") != 0)) {
    std::cerr << "usage: tabulara-file-job open-save|change-all INPUT OUTPUT\n";
    return 2;
  }
  try {
    const auto start = std::chrono::steady_clock::now();
    if (std::strcmp(argv[1], "open-save") == 0) {
      tabulara::bench::OpenAndSave(argv[2], argv[3]);
    } else {
      tabulara::bench::ChangeEveryCellAndSave(argv[2], argv[3]);
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::cout << elapsed.count() << ' ' << tabulara::bench::ProcessorSeconds() << ' '
              << tabulara::bench::PeakMemoryKiB() << '\n';
  } catch (const std::exception& error) {
    std::cerr << "tabulara-file-job: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
