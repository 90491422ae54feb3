#include "cli/host_session.h"

#include <unistd.h>

#include <iostream>

#include "addin/main.h"
#include "cli/addin_classes.h"
#include "cli/addin_list_file.h"
#include "cli/change_watch.h"
#include "cli/command_errors.h"
#include "cli/status_line.h"
#include "cli/terminal_dialogs.h"
#include "cli/terminal_text.h"
#include "host/constants.h"
#include "host/host_error.h"
#include "platform/posix/posix_platform.h"
#include "xlsx/package/package_error.h"
#include "xlsx/template_loader.h"

namespace tabulara::cli {
namespace {

platform::posix::PosixOptions PlatformOptions(std::shared_ptr<TerminalMessageBoxes> boxes) {
  auto presenter = [boxes = std::move(boxes)](const platform::posix::MessageBoxRequest& request) {
    return boxes->Show(request);
  };
  auto options = platform::posix::OptionsFromEnvironment(std::move(presenter));
  if (DialogsCanShow()) ShowDialogsOnTerminal(options);
  return options;
}

}  // namespace

HostSession::HostSession(Answer answer, xlsx::PackageLimits limits)
    : messageBoxes_(std::make_shared<TerminalMessageBoxes>(answer, std::cin, std::cerr, isatty(STDIN_FILENO) == 1)),
      platform_(std::make_shared<platform::posix::PosixPlatform>(PlatformOptions(messageBoxes_))),
      host_(platform_->SharedClipboard()),
      addInListFile_(AddInListFile(platform_->ConfigHome())),
      limits_(limits) {
  platform::Install(platform_);
  host_.SetTemplateLoader(xlsx::MakeTemplateLoader());
  RegisterAddinClasses(host_.addIns());
  KeepAddInList();
}

void HostSession::KeepAddInList() {
  try {
    host_.addIns().Restore(ReadAddInList(addInListFile_));
  } catch (const std::runtime_error& error) {
    PrintCommandError(TerminalText(error.what()));
    Fail(ExitStatus::Failure);
    return;
  }
  host_.addIns().OnChange([this] {
    try {
      WriteAddInList(addInListFile_, host_.addIns().View());
    } catch (const std::runtime_error& error) {
      PrintCommandError(TerminalText(error.what()));
      Fail(ExitStatus::Failure);
    }
  });
}

HostSession::~HostSession() {
  if (connected_) connection_.OnDisconnection(host::ext_dm_HostShutdown, custom_);
}

void HostSession::Connect() {
  addin::Main();
  connected_ = true;
  CallAddin([&] {
    connection_.OnConnection(host_.Application(), host::ext_cm_Startup, host_.Application(), custom_);
    connection_.OnStartupComplete(custom_);
  });
  UpdateCommandBars();
}

void HostSession::UpdateCommandBars() {
  CallAddin([&] { host_.commandBars().Update(); });
}

void HostSession::Open(const std::filesystem::path& file) {
  std::unique_ptr<xlsx::WorkbookFile> opened;
  {
    StatusLine status("Opening " + file.filename().string());
    opened = xlsx::WorkbookFile::Open(file, limits_);
  }
  if (file_) host_.Close(*file_->workbook());
  host_.Open(opened->workbook());
  file_ = std::move(opened);
  path_ = file;
  changes_.MarkUnchanged(*file_->workbook());
  file_->OnSheetRead([this](const embedded::model::Sheet& sheet) { changes_.SheetRead(sheet); });
  UpdateCommandBars();
}

embedded::model::Workbook& HostSession::workbook() const {
  if (!file_) throw std::invalid_argument("no workbook is open");
  return *file_->workbook();
}

bool HostSession::Changed() { return file_ && changes_.Changed(*file_->workbook()); }

bool HostSession::Save(const std::filesystem::path& target, Write write) {
  embedded::model::Workbook& saved = workbook();
  const int errorsBefore = AddinErrors();
  bool cancelled = false;
  CallAddin([&] { cancelled = host_.BeforeSave(saved); });
  if (AddinErrors() != errorsBefore) {
    PrintCommandError(TerminalText(target.string()) + " was not written");
    return false;
  }
  if (cancelled) {
    PrintCommandError("the save was cancelled; " + TerminalText(target.string()) + " was not written");
    return false;
  }
  const bool checked = write == Write::WhenChanged;
  if (checked && !Changed()) return false;
  StatusLine status("Saving " + target.filename().string());
  file_->Save(target);
  if (checked) {
    changes_.MarkLastSeenUnchanged();
  } else {
    changes_.MarkUnchanged(*file_->workbook());
  }
  return true;
}

void HostSession::Calculate() {
  try {
    host_.Application()->Calculate();
  } catch (const host::HostError& error) {
    PrintCommandError(error.Description());
    Fail(ExitStatus::AddinError);
  }
}

int HostSession::AddinErrors() {
  addinErrors_ += messageBoxes_->TakeReportedErrors();
  return addinErrors_;
}

ExitStatus HostSession::Status() {
  if (AddinErrors() > 0) Fail(ExitStatus::AddinError);
  if (file_ && file_->ReadFailure() && !readFailureShown_) {
    PrintCommandError(*file_->ReadFailure());
    readFailureShown_ = true;
    Fail(ExitStatus::Failure);
  }
  return status_;
}

void HostSession::ReportErrorPassedBack(const std::exception& error) {
  // A sheet that cannot be read is the file's fault, which Status tells.
  if (dynamic_cast<const xlsx::PackageError*>(&error) != nullptr) return;
  if (const auto* hostError = dynamic_cast<const host::HostError*>(&error)) {
    PrintCommandError("the add-in returned error " + std::to_string(hostError->Number()) + ": " +
                      hostError->Description());
  } else {
    PrintCommandError(std::string("the add-in returned an error: ") + error.what());
  }
  ++addinErrors_;
}

}  // namespace tabulara::cli
