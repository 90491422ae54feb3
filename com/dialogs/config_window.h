#pragma once

#include <optional>
#include <string>
#include <vector>

#include "com/dialogs/modal_dialog.h"
#include "com/dialogs/sample_canvas.h"
#include "platform/config_view.h"

namespace tabulara::com::dialogs {

// The configuration dialog as a Win32 dialog window: a tab strip over the
// controls of its two tabs, the check-box list a list view with check
// boxes, the sample an owner-drawn area. Keyboard: Tab and Shift-Tab move
// the focus, Ctrl-Tab switches the tabs, Space ticks, Enter presses the
// default button, Esc is Cancel.
class ConfigWindow : public platform::ConfigView, private ModalView<platform::ConfigEvents> {
 public:
  explicit ConfigWindow(HMODULE resources);

  void SetCaption(platform::ConfigControl control, const std::string& text) override;
  void SetItems(platform::ConfigControl list, const std::vector<std::string>& items) override;
  int ItemCount(platform::ConfigControl list) override;
  std::optional<int> Selected(platform::ConfigControl list) override;
  void Select(platform::ConfigControl list, std::optional<int> item) override;
  bool ItemChecked(platform::ConfigControl list, int item) override;
  void SetItemChecked(platform::ConfigControl list, int item, bool checked) override;
  bool Checked(platform::ConfigControl checkBox) override;
  void SetChecked(platform::ConfigControl checkBox, bool checked) override;
  std::string Text(platform::ConfigControl box) override;
  void SetText(platform::ConfigControl box, const std::string& text) override;
  void SetEnabled(platform::ConfigControl control, bool enabled) override;
  void SetFocus(platform::ConfigControl control) override;
  int Tab() override;
  void ShowTab(int tab) override;
  void ClearSample() override { sample_->Clear(); }
  platform::SampleFont GetSampleFont() override { return sample_->Font(); }
  void SetSampleFont(const platform::SampleFont& font) override { sample_->SetFont(font); }
  platform::Extent SampleArea() override { return sample_->Size(); }
  platform::Extent MeasureText(const std::string& text) override { return sample_->Measure(text); }
  void PrintText(double x, double y, const std::string& text) override { sample_->Print(x, y, text); }
  void ShowModal(platform::ConfigEvents& events) override { ShowWith(events); }
  void Close() override { EndModal(); }

 private:
  std::optional<INT_PTR> Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool PreTranslate(const MSG& message) override;
  void Command(int id, int code);
  void Notify(const NMHDR& header);
  // Shows the controls of one tab and hides those of the other.
  void ShowPage(int tab);
  HWND Control(platform::ConfigControl control) const;

  std::optional<SampleCanvas> sample_;
  HWND sizeEdit_ = nullptr;
  // Set while the view changes the check-box list itself.
  bool quiet_ = false;
};

}  // namespace tabulara::com::dialogs
