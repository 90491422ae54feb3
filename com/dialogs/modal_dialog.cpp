#include "com/dialogs/modal_dialog.h"

#include <utility>

#include "host/host_error.h"

namespace tabulara::com::dialogs {

ModalDialog::ModalDialog(HMODULE resources, int templateId) : resources_(resources), owner_(GetActiveWindow()) {
  window_ = CreateDialogParamW(resources, MAKEINTRESOURCEW(templateId), nullptr, &ModalDialog::Procedure,
                               reinterpret_cast<LPARAM>(this));
  if (window_ == nullptr) throw host::HostError(host::kErrInvalidCall, "The dialog window cannot be created");
}

ModalDialog::~ModalDialog() { DestroyWindow(window_); }

void ModalDialog::RunModal() {
  ended_ = false;
  if (owner_ != nullptr) EnableWindow(owner_, FALSE);
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  MSG message{};
  while (!ended_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (PreTranslate(message) || IsDialogMessageW(window_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (owner_ != nullptr) EnableWindow(owner_, TRUE);
  ShowWindow(window_, SW_HIDE);
  if (error_) std::rethrow_exception(std::exchange(error_, nullptr));
}

void ModalDialog::Guard(const std::function<void()>& handler) {
  try {
    handler();
  } catch (...) {
    error_ = std::current_exception();
    EndModal();
  }
}

std::optional<INT_PTR> ModalDialog::Handle(UINT message, WPARAM, LPARAM) {
  if (message != WM_CLOSE) return std::nullopt;
  EndModal();
  return TRUE;
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(window, DWLP_USER, lParam);
    reinterpret_cast<ModalDialog*>(lParam)->window_ = window;
    return TRUE;
  }
  auto* dialog = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(window, DWLP_USER));
  if (dialog == nullptr) return FALSE;
  const std::optional<INT_PTR> result = dialog->Handle(message, wParam, lParam);
  return result.value_or(FALSE);
}

}  // namespace tabulara::com::dialogs
