#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <optional>

namespace tabulara::com::dialogs {

// A dialog window made from a template in the DLL's resources, hidden until
// RunModal shows it. RunModal keeps the window that was active when the
// dialog was made (the host's) disabled and
// runs the dialog's messages, with the dialog manager's keyboard handling,
// until EndModal is called or the window is closed; an error raised by a
// handler run through Guard ends it too and is raised again by RunModal.
class ModalDialog {
 public:
  ModalDialog(HMODULE resources, int templateId);
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;
  virtual ~ModalDialog();

 protected:
  HWND Window() const { return window_; }
  HWND Item(int id) const { return GetDlgItem(window_, id); }
  HMODULE Resources() const { return resources_; }

  void RunModal();
  void EndModal() { ended_ = true; }
  void Guard(const std::function<void()>& handler);

  // A message of the dialog procedure; a result when it was handled.
  virtual std::optional<INT_PTR> Handle(UINT message, WPARAM wParam, LPARAM lParam);
  // A message taken from the queue before the dialog manager sees it; true
  // when it is used up.
  virtual bool PreTranslate(const MSG&) { return false; }

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HMODULE resources_;
  HWND owner_;
  HWND window_ = nullptr;
  bool ended_ = false;
  std::exception_ptr error_;
};

// A modal dialog over a dialog's logic: while shown, the user's actions go
// to the logic's events, run through Guard.
template <class Events>
class ModalView : public ModalDialog {
 protected:
  using ModalDialog::ModalDialog;

  void ShowWith(Events& events) {
    events_ = &events;
    RunModal();
    events_ = nullptr;
  }
  void Raise(const std::function<void(Events&)>& event) {
    if (events_ != nullptr) Guard([&] { event(*events_); });
  }

 private:
  Events* events_ = nullptr;
};

}  // namespace tabulara::com::dialogs
