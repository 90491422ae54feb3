#pragma once

#include <string>
#include <string_view>

namespace tabulara::embedded {

// The text with every character replaced by its Unicode simple case folding,
// as the host compares names without regard to case: two names are the same
// to it when their foldings are equal.
std::string CaseFolded(std::string_view text);

}  // namespace tabulara::embedded
