#include <exception>

#include "addin/excel_events.h"
#include "addin/globals.h"
#include "addin/message_box.h"
#include "addin/report_error.h"
#include "commands/path_finders.h"
#include "platform/platform.h"
#include "settings/install_path.h"

namespace tabulara::addin {
namespace {

constexpr const char* kVeduzePage = "https://www.veduze.example/";

// Runs a launcher's steps; a step that fails shows the error report.
template <class Steps>
void ReportingFailures(Steps steps) {
  try {
    steps();
  } catch (const std::exception& error) {
    ReportError(error.what());
  }
}

// The file manager's command line for a folder.
std::string FileManagerCommand(const std::string& folder) { return "Explorer.exe \"" + folder + "\""; }

// Starts the program a finder found, or shows the message for none.
void StartFound(const std::string& program, const char* notFoundKey) {
  ReportingFailures([&] {
    if (program.empty()) {
      ShowMessage(Message(notFoundKey), platform::vbInformation);
      return;
    }
    platform::Current().StartProgram(program, platform::kShowNormal);
  });
}

}  // namespace

void ExcelEvents::btnHelp_Click(const Button&, bool&) {
  ReportingFailures([] {
    auto& platform = platform::Current();
    const std::string help = settings::InstallPath("Help.chm");
    if (platform.FileExists(help)) {
      platform.OpenDocument("Open", help, platform::kShowNormal);
    } else {
      ShowMessage(Message("lang046"), platform::vbInformation);
    }
  });
}

void ExcelEvents::btnIMMSN_Click(const Button&, bool&) { StartFound(commands::FindMsnMessenger(), "lang047"); }

void ExcelEvents::btnIMQQ_Click(const Button&, bool&) { StartFound(commands::FindYahooMessenger(), "lang048"); }

void ExcelEvents::btnIMSkype_Click(const Button&, bool&) { StartFound(commands::FindSkype(), "lang094"); }

void ExcelEvents::btnVeduze_Click(const Button&, bool&) {
  platform::Current().OpenDocument("Open", kVeduzePage, platform::kShowNormal);
}

void ExcelEvents::btnOpenInstallFolder_Click(const Button&, bool&) {
  auto& platform = platform::Current();
  try {
    platform.StartProgram(FileManagerCommand(platform.InstallFolder()), platform::kShowNormal);
  } catch (const std::exception& error) {
    platform.MessageBox(error.what(), platform::vbOKOnly, std::nullopt);
  }
}

void ExcelEvents::btnOpenMydoc_Click(const Button&, bool&) {
  ReportingFailures([] {
    const std::string folder = commands::FindMyDocuments();
    if (folder.empty()) {
      ShowMessage("Failed to find the path of My Documents! ", platform::vbInformation);
      return;
    }
    platform::Current().StartProgram(FileManagerCommand(folder), platform::kShowNormal);
  });
}

void ExcelEvents::btnWinmine_Click(const Button&, bool&) {
  ReportingFailures([] {
    auto& platform = platform::Current();
    const std::string game = platform.EnvironmentVariable("SystemRoot") + "\\System32\\winmine.exe";
    if (platform.FileExists(game)) {
      platform.StartProgram(game, platform::kShowNormal);
    } else {
      ShowMessage(Message("lang052"), platform::vbInformation);
    }
  });
}

}  // namespace tabulara::addin
