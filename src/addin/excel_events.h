#pragma once

#include <string>

#include "host/host.h"

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
  host::Maybe<host::CommandBarControl> FindControlByCaption(const host::Ref<host::CommandBarPopup>& popup,
                                                            const std::string& caption);
  void ShowPopupWhileItemsShow(const host::Ref<host::CommandBar>& bar, const host::Maybe<host::CommandBarPopup>& popup);
  host::Ref<host::CommandBar> WorksheetMenuBar();

  void cmdBars_OnUpdate();
  void OnUpdate() override { cmdBars_OnUpdate(); }

  void SheetBeforeDoubleClick(const host::Ref<host::Sheet>& sh, const host::Ref<host::Range>& target,
                              bool& cancel) override;
  void SheetBeforeRightClick(const host::Ref<host::Sheet>& sh, const host::Ref<host::Range>& target,
                             bool& cancel) override;
  void WorkbookBeforeSave(const host::Ref<host::Workbook>& wb, bool saveAsUI, bool& cancel) override;

  host::Maybe<host::CommandBarPopup> mainPopup;
  host::Maybe<host::CommandBarPopup> commentPopup;
  host::Maybe<host::CommandBarPopup> miscPopup;
  host::Maybe<host::CommandBarPopup> templatePopup;
  std::string miscBarName;
  std::string templateBarName;
  host::WithEvents<host::Application> xlApp{*this};
  host::WithEvents<host::CommandBars> cmdBars{*this};
};

// The tags by which the add-in finds its own pop-ups again.
inline constexpr const char* kMainPopupTag = "QuorvelGridwright";
inline constexpr const char* kCommentPopupTag = "QuorvelComments";

// A control the host handed back as a pop-up.
host::Maybe<host::CommandBarPopup> AsPopup(const host::Maybe<host::CommandBarControl>& control);

}  // namespace tabulara::addin
