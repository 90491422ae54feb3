#pragma once

namespace tabulara::embedded::unicode {

// The facts of the Unicode character database that the host's rules use.
// ICU answers them on Linux; the Windows build reads a table made from ICU
// by the native build (tools/unicode_table), so both follow the same data.

// The code point's simple case folding (the default one, not Turkic).
char32_t SimpleCaseFolding(char32_t point);
// General category Nd.
bool IsDecimalDigit(char32_t point);
// General category L or N.
bool IsLetterOrNumber(char32_t point);
bool IsExtendedPictographic(char32_t point);

}  // namespace tabulara::embedded::unicode
