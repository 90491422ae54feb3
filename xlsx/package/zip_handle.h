#pragma once

#include <zip.h>

#include <memory>

namespace tabulara::xlsx {

struct ZipDiscard {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
// An open archive; discarded (closed without writing) unless closed first.
using ZipHandle = std::unique_ptr<zip_t, ZipDiscard>;

struct ZipFileClose {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};
using ZipFileHandle = std::unique_ptr<zip_file_t, ZipFileClose>;

struct ZipSourceFree {
  void operator()(zip_source_t* source) const { zip_source_free(source); }
};
// A source not yet handed to an archive.
using ZipSourceHandle = std::unique_ptr<zip_source_t, ZipSourceFree>;

}  // namespace tabulara::xlsx
