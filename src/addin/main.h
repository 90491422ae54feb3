#pragma once

namespace tabulara::addin {

// The start-up routine: runs once per load of the add-in, before its first
// object is created. Seeds the random-number generator, creates the
// catalogue with its language and keeps the texts every part shares.
void Main();

// Creates the catalogue in gLanguage and gives it the language of this
// load.
void CreateCatalogue();

}  // namespace tabulara::addin
