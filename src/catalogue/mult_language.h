#pragma once

#include <string>
#include <vector>

#include "host/variant.h"

namespace tabulara::catalogue {

// The message catalogue: every caption and message by key, from the
// current language file where it has the entry, else the English default.
class MultLanguage {
 public:
  const std::string& Language() const { return language_; }
  // Stores the name and derives the language file's path from it; the file
  // need not exist.
  void Language(const std::string& pLanguage);

  // The text of catalogue key `NO` ("lang001"), with the values of `param`
  // in its "s%" placeholders for the entries that take values. A key not in
  // the catalogue gives an empty text.
  std::string FindMessage(const std::string& NO, const std::vector<host::Variant>& param = {}) const;

 private:
  std::string ReadMessage(const std::string& section, const std::string& entry, const std::string& defaultText,
                          const std::vector<host::Variant>& values) const;

  std::string language_;
  std::string languageFile_;
};

}  // namespace tabulara::catalogue
