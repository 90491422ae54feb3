#include "code_page_converter.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

#include <stdexcept>

namespace tabulara::tools {

void CodePageConverter::Closer::operator()(UConverter* converter) const { ucnv_close(converter); }

CodePageConverter::CodePageConverter(int codePage) : codePage_(codePage) {
  const std::string name = "windows-" + std::to_string(codePage);
  UErrorCode status = U_ZERO_ERROR;
  converter_.reset(ucnv_open(name.c_str(), &status));
  if (U_FAILURE(status)) throw std::runtime_error("no converter for code page " + std::to_string(codePage));
  ucnv_setFromUCallBack(converter_.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  if (U_FAILURE(status)) throw std::runtime_error("cannot set up code page " + std::to_string(codePage));
}

std::optional<std::string> CodePageConverter::FromWide(std::u16string_view text) const {
  std::string bytes(text.size() * 2 + 1, '\0');
  UErrorCode status = U_ZERO_ERROR;
  ucnv_resetFromUnicode(converter_.get());
  const int32_t length = ucnv_fromUChars(converter_.get(), bytes.data(), static_cast<int32_t>(bytes.size()),
                                         text.data(), static_cast<int32_t>(text.size()), &status);
  if (U_FAILURE(status)) return std::nullopt;
  bytes.resize(static_cast<std::size_t>(length));
  return bytes;
}

}  // namespace tabulara::tools
