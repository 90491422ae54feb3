#include "com/dialogs/config_window.h"

#include <commctrl.h>

#include <iterator>

#include "com/dialogs/dialog_ids.h"
#include "platform/win32/text_encoding.h"

namespace tabulara::com::dialogs {
namespace {

using platform::ConfigControl;
using platform::win32::Narrow;
using platform::win32::Widen;

constexpr int kBothTabs = -1;

// Each control's window and the tab it shows on.
struct ControlWindow {
  ConfigControl control;
  int id;
  int tab;
};
constexpr ControlWindow kControls[] = {
    {ConfigControl::TabGeneral, IDC_TABS, kBothTabs},       {ConfigControl::TabFont, IDC_TABS, kBothTabs},
    {ConfigControl::chkCommentStyle, IDC_COMMENT_STYLE, 0}, {ConfigControl::chkCellSpotter, IDC_CELL_SPOTTER, 0},
    {ConfigControl::chkFormula, IDC_FORMULA, 0},            {ConfigControl::Label5, IDC_VISIBLE_LABEL, 0},
    {ConfigControl::lstVisiblity, IDC_VISIBLE_ITEMS, 0},    {ConfigControl::chkBeforeSave, IDC_BEFORE_SAVE, 1},
    {ConfigControl::Frame1, IDC_FONT_FRAME, 1},             {ConfigControl::chkFontName, IDC_SAME_NAME, 1},
    {ConfigControl::chkFontStyle, IDC_SAME_STYLE, 1},       {ConfigControl::chkFontSize, IDC_SAME_SIZE, 1},
    {ConfigControl::Label1, IDC_FAMILY_LABEL, 1},           {ConfigControl::lstFont, IDC_FAMILIES, 1},
    {ConfigControl::Label2, IDC_STYLE_LABEL, 1},            {ConfigControl::cmbStyle, IDC_FONT_STYLE, 1},
    {ConfigControl::Label3, IDC_SIZE_LABEL, 1},             {ConfigControl::cmbSize, IDC_FONT_SIZE, 1},
    {ConfigControl::Label4, IDC_SAMPLE_LABEL, 1},           {ConfigControl::picSample, IDC_SAMPLE, 1},
    {ConfigControl::cmdOK, IDOK, kBothTabs},                {ConfigControl::cmdCancel, IDCANCEL, kBothTabs},
    {ConfigControl::cmdApply, IDC_APPLY, kBothTabs},
};

const ControlWindow* Find(ConfigControl control) {
  for (const ControlWindow& entry : kControls) {
    if (entry.control == control) return &entry;
  }
  return nullptr;
}

const ControlWindow* FindId(int id) {
  for (const ControlWindow& entry : kControls) {
    if (entry.id == id) return &entry;
  }
  return nullptr;
}

int TabOf(ConfigControl control) {
  const ControlWindow* entry = Find(control);
  return entry == nullptr ? kBothTabs : entry->tab;
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring ComboEntry(HWND box, int entry) {
  std::wstring text(static_cast<std::size_t>(SendMessageW(box, CB_GETLBTEXTLEN, entry, 0)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(SendMessageW(box, CB_GETLBTEXT, entry, reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

void SetTabText(HWND tabs, int tab, const std::wstring& text) {
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  TabCtrl_SetItem(tabs, tab, &item);
}

}  // namespace

// The tab strip's and list view's classes are registered before the
// template makes the controls.
ConfigWindow::ConfigWindow(HMODULE resources) : ModalView(resources, [] {
  const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&classes);
  return IDD_CONFIG;
}()) {
  HWND tabs = Item(IDC_TABS);
  TCITEMW tab{};
  tab.mask = TCIF_TEXT;
  tab.pszText = const_cast<wchar_t*>(L"");
  TabCtrl_InsertItem(tabs, 0, &tab);
  TabCtrl_InsertItem(tabs, 1, &tab);

  HWND visible = Item(IDC_VISIBLE_ITEMS);
  ListView_SetExtendedListViewStyle(visible, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  RECT inside{};
  GetClientRect(visible, &inside);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = inside.right - GetSystemMetrics(SM_CXVSCROLL);
  ListView_InsertColumn(visible, 0, &column);

  COMBOBOXINFO size{};
  size.cbSize = sizeof(size);
  if (GetComboBoxInfo(Item(IDC_FONT_SIZE), &size)) sizeEdit_ = size.hwndItem;

  LOGFONTW dialogFont{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Window(), WM_GETFONT, 0, 0)), sizeof(dialogFont), &dialogFont);
  sample_.emplace(Item(IDC_SAMPLE), Narrow(dialogFont.lfFaceName));
  ShowPage(0);
}

HWND ConfigWindow::Control(ConfigControl control) const {
  if (control == ConfigControl::Form) return Window();
  const ControlWindow* entry = Find(control);
  return entry == nullptr ? nullptr : Item(entry->id);
}

void ConfigWindow::SetCaption(ConfigControl control, const std::string& text) {
  if (control == ConfigControl::TabGeneral || control == ConfigControl::TabFont) {
    return SetTabText(Item(IDC_TABS), control == ConfigControl::TabGeneral ? 0 : 1, Widen(text));
  }
  SetWindowTextW(Control(control), Widen(text).c_str());
}

void ConfigWindow::SetItems(ConfigControl list, const std::vector<std::string>& items) {
  HWND window = Control(list);
  if (list == ConfigControl::lstVisiblity) {
    quiet_ = true;
    ListView_DeleteAllItems(window);
    for (std::size_t i = 0; i < items.size(); ++i) {
      std::wstring text = Widen(items[i]);
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(i);
      item.pszText = text.data();
      ListView_InsertItem(window, &item);
    }
    quiet_ = false;
    return;
  }
  const bool listBox = list == ConfigControl::lstFont;
  SendMessageW(window, listBox ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) {
    SendMessageW(window, listBox ? LB_ADDSTRING : CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
  }
}

int ConfigWindow::ItemCount(ConfigControl list) {
  HWND window = Control(list);
  if (list == ConfigControl::lstVisiblity) return ListView_GetItemCount(window);
  return static_cast<int>(SendMessageW(window, list == ConfigControl::lstFont ? LB_GETCOUNT : CB_GETCOUNT, 0, 0));
}

std::optional<int> ConfigWindow::Selected(ConfigControl list) {
  HWND window = Control(list);
  int selected = -1;
  if (list == ConfigControl::lstVisiblity) {
    selected = ListView_GetNextItem(window, -1, LVNI_SELECTED);
  } else {
    selected = static_cast<int>(SendMessageW(window, list == ConfigControl::lstFont ? LB_GETCURSEL : CB_GETCURSEL, 0, 0));
  }
  if (selected < 0) return std::nullopt;
  return selected;
}

void ConfigWindow::Select(ConfigControl list, std::optional<int> item) {
  HWND window = Control(list);
  if (list == ConfigControl::lstVisiblity) {
    quiet_ = true;
    ListView_SetItemState(window, -1, 0, LVIS_SELECTED);
    if (item) ListView_SetItemState(window, *item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    quiet_ = false;
    return;
  }
  SendMessageW(window, list == ConfigControl::lstFont ? LB_SETCURSEL : CB_SETCURSEL, item.value_or(-1), 0);
}

bool ConfigWindow::ItemChecked(ConfigControl list, int item) { return ListView_GetCheckState(Control(list), item) != 0; }

void ConfigWindow::SetItemChecked(ConfigControl list, int item, bool checked) {
  quiet_ = true;
  ListView_SetCheckState(Control(list), item, checked);
  quiet_ = false;
}

bool ConfigWindow::Checked(ConfigControl checkBox) {
  return SendMessageW(Control(checkBox), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ConfigWindow::SetChecked(ConfigControl checkBox, bool checked) {
  SendMessageW(Control(checkBox), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::string ConfigWindow::Text(ConfigControl box) {
  HWND window = Control(box);
  if (box != ConfigControl::cmbStyle) return Narrow(WindowText(window));
  const auto selected = static_cast<int>(SendMessageW(window, CB_GETCURSEL, 0, 0));
  return selected < 0 ? std::string() : Narrow(ComboEntry(window, selected));
}

void ConfigWindow::SetText(ConfigControl box, const std::string& text) {
  HWND window = Control(box);
  if (box != ConfigControl::cmbStyle) {
    SetWindowTextW(window, Widen(text).c_str());
    return;
  }
  const LRESULT found = SendMessageW(window, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(Widen(text).c_str()));
  const bool exact = found != CB_ERR && Narrow(ComboEntry(window, static_cast<int>(found))) == text;
  SendMessageW(window, CB_SETCURSEL, exact ? found : -1, 0);
}

void ConfigWindow::SetEnabled(ConfigControl control, bool enabled) {
  HWND window = Control(control);
  if (!enabled && GetFocus() == window) {
    SendMessageW(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDOK)), TRUE);
  }
  if (!enabled) SendMessageW(Window(), DM_SETDEFID, IDOK, 0);
  EnableWindow(window, enabled);
}

void ConfigWindow::SetFocus(ConfigControl control) {
  const int tab = TabOf(control);
  if (tab != kBothTabs && tab != Tab()) ShowTab(tab);
  SendMessageW(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(control)), TRUE);
}

int ConfigWindow::Tab() { return TabCtrl_GetCurSel(Item(IDC_TABS)); }

void ConfigWindow::ShowTab(int tab) {
  TabCtrl_SetCurSel(Item(IDC_TABS), tab);
  ShowPage(tab);
}

void ConfigWindow::ShowPage(int tab) {
  HWND focus = GetFocus();
  bool focusHidden = false;
  for (const ControlWindow& entry : kControls) {
    if (entry.tab == kBothTabs) continue;
    HWND window = Item(entry.id);
    ShowWindow(window, entry.tab == tab ? SW_SHOW : SW_HIDE);
    if (entry.tab != tab && window == focus) focusHidden = true;
  }
  if (focusHidden) SendMessageW(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_TABS)), TRUE);
}

bool ConfigWindow::PreTranslate(const MSG& message) {
  if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
    ShowTab(1 - Tab());
    SendMessageW(Window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_TABS)), TRUE);
    return true;
  }
  if (message.message != WM_CHAR || message.hwnd != sizeEdit_) return false;
  bool accepted = true;
  Raise([&](platform::ConfigEvents& events) {
    accepted = events.KeyPress(ConfigControl::cmbSize, static_cast<int>(message.wParam));
  });
  return !accepted;
}

std::optional<INT_PTR> ConfigWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      Command(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_NOTIFY:
      Notify(*reinterpret_cast<const NMHDR*>(lParam));
      return std::nullopt;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item.CtlID != IDC_SAMPLE || !sample_) return std::nullopt;
      sample_->Paint(item.hDC);
      return TRUE;
    }
    default:
      return ModalView::Handle(message, wParam, lParam);
  }
}

void ConfigWindow::Command(int id, int code) {
  const ControlWindow* entry = FindId(id);
  if (entry == nullptr) return;
  const ConfigControl control = entry->control;
  switch (control) {
    case ConfigControl::lstFont:
      if (code == LBN_SELCHANGE) Raise([&](platform::ConfigEvents& events) { events.Click(control); });
      return;
    case ConfigControl::cmbStyle:
    case ConfigControl::cmbSize: {
      if (code != CBN_SELCHANGE) return;
      HWND box = Item(id);
      // The edit field takes the chosen entry after this notification; the
      // handler reads it now.
      const auto chosen = static_cast<int>(SendMessageW(box, CB_GETCURSEL, 0, 0));
      if (control == ConfigControl::cmbSize && chosen >= 0) SetWindowTextW(box, ComboEntry(box, chosen).c_str());
      Raise([&](platform::ConfigEvents& events) { events.Click(control); });
      return;
    }
    default:
      if (code == BN_CLICKED) Raise([&](platform::ConfigEvents& events) { events.Click(control); });
  }
}

void ConfigWindow::Notify(const NMHDR& header) {
  if (header.idFrom == IDC_TABS && header.code == TCN_SELCHANGE) return ShowPage(Tab());
  if (header.idFrom != IDC_VISIBLE_ITEMS || header.code != LVN_ITEMCHANGED || quiet_) return;
  const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
  const bool checkChanged = (change.uChanged & LVIF_STATE) != 0 &&
                            ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) != 0 &&
                            (change.uOldState & LVIS_STATEIMAGEMASK) != 0;
  if (!checkChanged) return;
  Raise([&](platform::ConfigEvents& events) { events.ItemCheck(ConfigControl::lstVisiblity, change.iItem); });
}

}  // namespace tabulara::com::dialogs
