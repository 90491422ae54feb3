#pragma once

#include <string>

namespace tabulara::commands {

// Where the outside programs the launchers start are installed, read from the
// registry afresh at each call. Each gives the empty text when nothing usable
// is found and never fails otherwise.

// The Yahoo Messenger program below the Yahoo programs' main folder, when
// the file is there.
std::string FindYahooMessenger();
// The MSN Messenger program in the folder its application path names; the
// file itself is not looked for.
std::string FindMsnMessenger();
// The Skype program's full path.
std::string FindSkype();
// The user's documents folder.
std::string FindMyDocuments();

}  // namespace tabulara::commands
