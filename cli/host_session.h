#pragma once

#include <cstdint>
#include <exception>
#include <filesystem>
#include <memory>
#include <vector>

#include "addin/gridwright.h"
#include "cli/change_watch.h"
#include "cli/exit_status.h"
#include "cli/terminal_message_boxes.h"
#include "embedded/embedded_host.h"
#include "platform/posix/posix_platform.h"
#include "xlsx/workbook_file.h"

namespace tabulara::cli {

// The spreadsheet host as the command runs it: the POSIX platform with
// message boxes on the terminal, the embedded host sharing the platform's
// clipboard, one workbook file open in it, and the add-in loaded and
// connected the way the spreadsheet host does it. The host's automation
// add-ins list is kept per user from one run to the next.
class HostSession {
 public:
  // Workbooks are read within `limits`.
  explicit HostSession(Answer answer, xlsx::PackageLimits limits = {});
  // Disconnects the add-in when it is connected.
  ~HostSession();
  HostSession(const HostSession&) = delete;
  HostSession& operator=(const HostSession&) = delete;

  // Loads the add-in (Main) and connects it as at the host's start-up:
  // OnConnection with ext_cm_Startup, then OnStartupComplete; then the host
  // updates its command bars.
  void Connect();

  // Reads a workbook file (PackageError when it cannot) and opens it in the
  // host as the active workbook, in place of the one open before; then the
  // host updates its command bars.
  void Open(const std::filesystem::path& file);
  bool HasWorkbook() const { return file_ != nullptr; }
  // The open workbook's file as it was opened.
  const std::filesystem::path& path() const { return path_; }
  embedded::EmbeddedHost& host() { return host_; }
  // The open workbook; std::invalid_argument when none is open.
  embedded::model::Workbook& workbook() const;

  // Whether the workbook changed since it was opened or last saved.
  bool Changed();
  enum class Write { Always, WhenChanged };
  // Raises the host's before-save event and, unless a handler cancelled,
  // writes the workbook to `target` (through a temporary file that then
  // replaces it); WhenChanged: only when the workbook, as the handlers left
  // it, differs from the file. Returns whether it was written: not when a
  // handler cancelled or the add-in failed, which it tells on standard
  // error. PackageError when the file cannot be written.
  bool Save(const std::filesystem::path& target, Write write = Write::Always);

  // Runs a call into the add-in; an error it passes back to the host is
  // shown on standard error and makes the run's status AddinError.
  template <class Call>
  void CallAddin(Call call) {
    try {
      call();
    } catch (const std::exception& error) {
      ReportErrorPassedBack(error);
    }
  }
  // F9: the host calculates every open workbook. A refusal is shown on
  // standard error and makes the run's status AddinError.
  void Calculate();
  // What the host does whenever its state changed: raises OnUpdate of the
  // command bars, so that the add-in shows its menus as they fit.
  void UpdateCommandBars();
  // The answer to the next Yes/No question, whatever the command line said.
  void AnswerNextQuestion(Answer answer) { messageBoxes_->AnswerNext(answer); }
  // The worst status met so far, counting the add-in's error reports and a
  // sheet of the workbook that could not be read, which it tells once.
  ExitStatus Status();
  void Fail(ExitStatus status) { status_ = Worse(status_, status); }

 private:
  // Restores the add-ins list the host kept and writes it whenever it
  // changes; a file that cannot be read or written makes the status Failure.
  void KeepAddInList();
  void ReportErrorPassedBack(const std::exception& error);
  // How many errors the add-in reported or passed back so far.
  int AddinErrors();

  std::shared_ptr<TerminalMessageBoxes> messageBoxes_;
  std::shared_ptr<platform::posix::PosixPlatform> platform_;
  embedded::EmbeddedHost host_;
  std::filesystem::path addInListFile_;
  addin::Gridwright connection_;
  std::vector<host::Variant> custom_;
  bool connected_ = false;
  xlsx::PackageLimits limits_;
  std::unique_ptr<xlsx::WorkbookFile> file_;
  std::filesystem::path path_;
  ChangeWatch changes_;
  int addinErrors_ = 0;
  bool readFailureShown_ = false;
  ExitStatus status_ = ExitStatus::Ran;
};

}  // namespace tabulara::cli
