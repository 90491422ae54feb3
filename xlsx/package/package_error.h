#pragma once

#include <stdexcept>
#include <string>

namespace tabulara::xlsx {

// A workbook file that cannot be read or written, with a message for the
// user that names the file and what is wrong with it.
class PackageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace tabulara::xlsx
