#pragma once

#include <filesystem>
#include <string>

#include "ini/reference_case.h"

namespace tabulara::test {

// Runs a case on our engine as the probe runs it on the profile functions
// (the file copied from `corpus` to scratch/NAME/FILE first) and gives the
// result in the probe's form.
std::string RunOnEngine(const ReferenceCase& call, const std::filesystem::path& corpus,
                        const std::filesystem::path& scratch);

}  // namespace tabulara::test
