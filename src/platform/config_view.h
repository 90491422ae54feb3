#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tabulara::platform {

// The controls of the configuration dialog.
enum class ConfigControl {
  Form,
  TabGeneral,
  TabFont,
  chkCommentStyle,
  chkCellSpotter,
  chkFormula,
  Label5,
  lstVisiblity,
  chkBeforeSave,
  Frame1,
  chkFontName,
  chkFontStyle,
  chkFontSize,
  Label1,
  lstFont,
  Label2,
  cmbStyle,
  Label3,
  cmbSize,
  Label4,
  picSample,
  cmdOK,
  cmdCancel,
  cmdApply,
};

// The font the sample area prints with.
struct SampleFont {
  std::string name;
  int size = 0;
  bool bold = false;
  bool italic = false;
};

// A width and height in the sample area's units.
struct Extent {
  double width = 0;
  double height = 0;
};

// What the user does in the dialog, delivered by the view while it is shown.
class ConfigEvents {
 public:
  virtual ~ConfigEvents() = default;
  // A click on a check box, a button, an entry of a list or of a drop-down
  // box (after the view has changed the control's state).
  virtual void Click(ConfigControl control) = 0;
  // An entry's check box of lstVisiblity was ticked or unticked.
  virtual void ItemCheck(ConfigControl list, int item) = 0;
  // A key typed into an edit field, before it reaches the field; false
  // discards the key.
  virtual bool KeyPress(ConfigControl control, int keyAscii) = 0;
};

// The configuration dialog's window, as a toolkit shows it. Changing a
// control through this interface raises no event: the dialog's logic calls
// its own handlers where a change must count as the user's.
class ConfigView {
 public:
  virtual ~ConfigView() = default;

  virtual void SetCaption(ConfigControl control, const std::string& text) = 0;

  // The entries of a list or drop-down box (lstFont, lstVisiblity, cmbStyle,
  // cmbSize).
  virtual void SetItems(ConfigControl list, const std::vector<std::string>& items) = 0;
  virtual int ItemCount(ConfigControl list) = 0;
  // The selected entry of a list; none when none is.
  virtual std::optional<int> Selected(ConfigControl list) = 0;
  virtual void Select(ConfigControl list, std::optional<int> item) = 0;
  // An entry's check box in lstVisiblity.
  virtual bool ItemChecked(ConfigControl list, int item) = 0;
  virtual void SetItemChecked(ConfigControl list, int item, bool checked) = 0;

  virtual bool Checked(ConfigControl checkBox) = 0;
  virtual void SetChecked(ConfigControl checkBox, bool checked) = 0;

  // The text of a drop-down box's edit field (cmbStyle, cmbSize).
  virtual std::string Text(ConfigControl box) = 0;
  virtual void SetText(ConfigControl box, const std::string& text) = 0;

  virtual void SetEnabled(ConfigControl control, bool enabled) = 0;
  virtual void SetFocus(ConfigControl control) = 0;
  // The tab shown: 0 "General", 1 the font tab.
  virtual int Tab() = 0;
  virtual void ShowTab(int tab) = 0;

  // The sample area. SetSampleFont raises the platform's error for a font
  // the area refuses.
  virtual void ClearSample() = 0;
  virtual SampleFont GetSampleFont() = 0;
  virtual void SetSampleFont(const SampleFont& font) = 0;
  virtual Extent SampleArea() = 0;
  virtual Extent MeasureText(const std::string& text) = 0;
  virtual void PrintText(double x, double y, const std::string& text) = 0;

  // Shows the window and delivers the user's actions to `events` until
  // Close is called or the user closes the window. An error a handler
  // raises closes the window and passes on to the caller.
  virtual void ShowModal(ConfigEvents& events) = 0;
  virtual void Close() = 0;
};

}  // namespace tabulara::platform
