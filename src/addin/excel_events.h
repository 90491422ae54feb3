#pragma once

#include <memory>
#include <string>

#include "host/host.h"
#include "menu/mb_buttons.h"

namespace tabulara::addin {

// The one object of a connection: owns the add-in's menus, every host
// reference that lives beyond one call, and every event handler.
class ExcelEvents : private host::Application::Events, private host::CommandBars::Events {
 public:
  ExcelEvents() = default;
  ExcelEvents(const ExcelEvents&) = delete;
  ExcelEvents& operator=(const ExcelEvents&) = delete;

  void Init(const host::Ref<host::Application>& xl);
  void UnInit();
  void CreateButtons();
  void DeleteButtons();
  // The host's Application held in xlApp; error 91 when none is held.
  const host::Ref<host::Application>& Application() const;
  void SetItemVisible(const std::string& visibility);

 private:
  using Button = host::Ref<host::CommandBarButton>;
  using Handler = void (ExcelEvents::*)(const Button& ctrl, bool& cancelDefault);

  // An event-receiving button reference whose Click goes to `handler`.
  host::ButtonWithEvents Bind(Handler handler) {
    return host::ButtonWithEvents([this, handler](const Button& ctrl, bool& cancelDefault) {
      (this->*handler)(ctrl, cancelDefault);
    });
  }

  // A menu item's caption: a catalogue text, looked up when the caption is
  // set, or a fixed text.
  struct ItemCaption {
    const char* key = nullptr;
    const char* fixed = "";
  };
  void AddMenuButton(const host::Ref<host::CommandBarPopup>& popup, host::ButtonWithEvents& reference,
                     const ItemCaption& caption, bool beginGroup, bool iconAndCaption, int faceId);
  void BuildTemplateMenu();
  void BuildMiscMenu();
  void AddMiscButton(host::ButtonWithEvents& reference, const ItemCaption& caption, bool beginGroup, int bitmap);
  host::Maybe<host::CommandBarControl> FindControlByCaption(const host::Ref<host::CommandBarPopup>& popup,
                                                            const std::string& caption);
  void ShowPopupWhileItemsShow(const host::Ref<host::CommandBar>& bar, const host::Maybe<host::CommandBarPopup>& popup);
  host::Ref<host::CommandBar> WorksheetMenuBar();
  // The cell context menu.
  host::Ref<host::CommandBar> CellMenuBar();

  void cmdBars_OnUpdate();
  void OnUpdate() override { cmdBars_OnUpdate(); }

  void SheetBeforeDoubleClick(const host::Ref<host::Sheet>& sh, const host::Ref<host::Range>& target,
                              bool& cancel) override;
  void SheetBeforeRightClick(const host::Ref<host::Sheet>& sh, const host::Ref<host::Range>& target,
                             bool& cancel) override;
  void WorkbookBeforeSave(const host::Ref<host::Workbook>& wb, bool saveAsUI, bool& cancel) override;

  // Sheet names and tab order.
  void btnShUcase_Click(const Button& ctrl, bool& cancelDefault);
  void btnShLcase_Click(const Button& ctrl, bool& cancelDefault);
  void btnShPcase_Click(const Button& ctrl, bool& cancelDefault);
  void btnShSort_Click(const Button& ctrl, bool& cancelDefault);
  // The index sheet.
  void btnIndex_Click(const Button& ctrl, bool& cancelDefault);
  // Clearing and conversion.
  void btnClearCellBlank_Click(const Button& ctrl, bool& cancelDefault);
  void btnClearHyperlinks_Click(const Button& ctrl, bool& cancelDefault);
  void btnClearShape_Click(const Button& ctrl, bool& cancelDefault);
  void btnClearSheet_Click(const Button& ctrl, bool& cancelDefault);
  void btnFomula2No_Click(const Button& ctrl, bool& cancelDefault);
  // Launchers of outside programs, folders and documents.
  void btnHelp_Click(const Button& ctrl, bool& cancelDefault);
  void btnIMMSN_Click(const Button& ctrl, bool& cancelDefault);
  void btnIMQQ_Click(const Button& ctrl, bool& cancelDefault);
  void btnIMSkype_Click(const Button& ctrl, bool& cancelDefault);
  void btnVeduze_Click(const Button& ctrl, bool& cancelDefault);
  void btnOpenInstallFolder_Click(const Button& ctrl, bool& cancelDefault);
  void btnOpenMydoc_Click(const Button& ctrl, bool& cancelDefault);
  void btnWinmine_Click(const Button& ctrl, bool& cancelDefault);
  // The Cell Spotter: four named lines along the active cell's edges.
  void btnSpotter_Click(const Button& ctrl, bool& cancelDefault);
  void btnClearSpotter_Click(const Button& ctrl, bool& cancelDefault);
  void DrawCellSpotter();
  void ClearCellSpotter(const host::Ref<host::Worksheet>& sheet);
  // Comment styles: the "Comment Style" pop-up of the cell context menu.
  void BuildCommentMenu();
  void btnComStyle1_Click(const Button& ctrl, bool& cancelDefault);
  void btnComStyle2_Click(const Button& ctrl, bool& cancelDefault);
  void btnComStyle3_Click(const Button& ctrl, bool& cancelDefault);
  void btnComStyle4_Click(const Button& ctrl, bool& cancelDefault);
  void btnComStyle5_Click(const Button& ctrl, bool& cancelDefault);
  void btnComStyle6_Click(const Button& ctrl, bool& cancelDefault);
  void btnComStyle7_Click(const Button& ctrl, bool& cancelDefault);
  void btnComStyle8_Click(const Button& ctrl, bool& cancelDefault);
  void btnComStyle9_Click(const Button& ctrl, bool& cancelDefault);
  void btnComStyle10_Click(const Button& ctrl, bool& cancelDefault);
  void ApplyCommentStyle(int shapeType);
  // Font unification of the active workbook's worksheets.
  void btnFont_Click(const Button& ctrl, bool& cancelDefault);
  void UnifySheetsFont();
  // The configuration and About dialogs.
  void btnConfig_Click(const Button& ctrl, bool& cancelDefault);
  void btnAbout_Click(const Button& ctrl, bool& cancelDefault);

  std::shared_ptr<menu::MBButtons> templateButtons;
  host::Maybe<host::CommandBarPopup> mainPopup;
  host::Maybe<host::CommandBarPopup> commentPopup;
  host::Maybe<host::CommandBarPopup> miscPopup;
  host::Maybe<host::CommandBarPopup> templatePopup;
  std::string miscBarName;
  std::string templateBarName;
  host::ButtonWithEvents btnSpotter = Bind(&ExcelEvents::btnSpotter_Click);
  host::ButtonWithEvents btnClearSpotter = Bind(&ExcelEvents::btnClearSpotter_Click);
  host::ButtonWithEvents btnFomula2No = Bind(&ExcelEvents::btnFomula2No_Click);
  host::ButtonWithEvents btnIMQQ = Bind(&ExcelEvents::btnIMQQ_Click);
  host::ButtonWithEvents btnIMMSN = Bind(&ExcelEvents::btnIMMSN_Click);
  host::ButtonWithEvents btnIMSkype = Bind(&ExcelEvents::btnIMSkype_Click);
  host::ButtonWithEvents btnOpenMydoc = Bind(&ExcelEvents::btnOpenMydoc_Click);
  host::ButtonWithEvents btnOpenInstallFolder = Bind(&ExcelEvents::btnOpenInstallFolder_Click);
  host::ButtonWithEvents btnFont = Bind(&ExcelEvents::btnFont_Click);
  host::ButtonWithEvents btnConfig = Bind(&ExcelEvents::btnConfig_Click);
  host::ButtonWithEvents btnAbout = Bind(&ExcelEvents::btnAbout_Click);
  host::ButtonWithEvents btnVeduze = Bind(&ExcelEvents::btnVeduze_Click);
  host::ButtonWithEvents btnWinmine = Bind(&ExcelEvents::btnWinmine_Click);
  host::ButtonWithEvents btnHelp = Bind(&ExcelEvents::btnHelp_Click);
  host::WithEvents<host::Application> xlApp{*this};
  host::WithEvents<host::CommandBars> cmdBars{*this};
  host::ButtonWithEvents btnShUcase = Bind(&ExcelEvents::btnShUcase_Click);
  host::ButtonWithEvents btnShLcase = Bind(&ExcelEvents::btnShLcase_Click);
  host::ButtonWithEvents btnShPcase = Bind(&ExcelEvents::btnShPcase_Click);
  host::ButtonWithEvents btnShSort = Bind(&ExcelEvents::btnShSort_Click);
  host::ButtonWithEvents btnIndex = Bind(&ExcelEvents::btnIndex_Click);
  host::ButtonWithEvents btnClearShape = Bind(&ExcelEvents::btnClearShape_Click);
  host::ButtonWithEvents btnClearSheet = Bind(&ExcelEvents::btnClearSheet_Click);
  host::ButtonWithEvents btnClearCellBlank = Bind(&ExcelEvents::btnClearCellBlank_Click);
  host::ButtonWithEvents btnClearHyperlinks = Bind(&ExcelEvents::btnClearHyperlinks_Click);
  host::ButtonWithEvents btnComStyle1 = Bind(&ExcelEvents::btnComStyle1_Click);
  host::ButtonWithEvents btnComStyle2 = Bind(&ExcelEvents::btnComStyle2_Click);
  host::ButtonWithEvents btnComStyle3 = Bind(&ExcelEvents::btnComStyle3_Click);
  host::ButtonWithEvents btnComStyle4 = Bind(&ExcelEvents::btnComStyle4_Click);
  host::ButtonWithEvents btnComStyle5 = Bind(&ExcelEvents::btnComStyle5_Click);
  host::ButtonWithEvents btnComStyle6 = Bind(&ExcelEvents::btnComStyle6_Click);
  host::ButtonWithEvents btnComStyle7 = Bind(&ExcelEvents::btnComStyle7_Click);
  host::ButtonWithEvents btnComStyle8 = Bind(&ExcelEvents::btnComStyle8_Click);
  host::ButtonWithEvents btnComStyle9 = Bind(&ExcelEvents::btnComStyle9_Click);
  host::ButtonWithEvents btnComStyle10 = Bind(&ExcelEvents::btnComStyle10_Click);
};

// The tags by which the add-in finds its own pop-ups again.
inline constexpr const char* kMainPopupTag = "QuorvelGridwright";
inline constexpr const char* kCommentPopupTag = "QuorvelComments";

// A control the host handed back as a pop-up.
host::Maybe<host::CommandBarPopup> AsPopup(const host::Maybe<host::CommandBarControl>& control);
// A control the host handed back as a button.
host::Ref<host::CommandBarButton> AsButton(const host::Ref<host::CommandBarControl>& control);

}  // namespace tabulara::addin
