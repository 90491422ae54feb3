#pragma once

#include "drawing_harness.h"

// Opens a corpus file into an AspectHarness named `variable`, or skips the
// test with a message when the corpus is not beside the repository.
#define TABULARA_OPEN_CORPUS(variable, name)                                              \
  const std::filesystem::path variable##File = ::tabulara::xlsx::aspect_testing::CorpusFile(name); \
  if (variable##File.empty()) GTEST_SKIP() << "corpus file " << (name) << " is not there";  \
  ::tabulara::xlsx::aspect_testing::AspectHarness variable(variable##File)
