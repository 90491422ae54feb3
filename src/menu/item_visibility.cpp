#include "addin/excel_events.h"
#include "addin/globals.h"
#include "host/conversions.h"

namespace tabulara::addin {

void ExcelEvents::SetItemVisible(const std::string& visibility) {
  for (std::size_t i = 1; i <= visibility.size(); ++i) {
    if (i > kItemCaptionCount) throw host::SubscriptOutOfRange();
    if (!mainPopup) throw host::ObjectVariableNotSet();
    const auto found = FindControlByCaption(*mainPopup, gItemCaptions[i - 1]);
    if (!found) continue;

    const auto& control = *found;
    control->Visible(host::ToLogical(visibility.substr(i - 1, 1)));

    const auto bar = control->Parent();
    const std::string barName = bar->Name();
    if (barName == miscBarName) {
      ShowPopupWhileItemsShow(bar, miscPopup);
    } else if (barName == templateBarName) {
      ShowPopupWhileItemsShow(bar, templatePopup);
    }
  }
}

// Hides `popup` when every control of its bar is hidden, shows it otherwise.
void ExcelEvents::ShowPopupWhileItemsShow(const host::Ref<host::CommandBar>& bar,
                                          const host::Maybe<host::CommandBarPopup>& popup) {
  const auto controls = bar->Controls();
  std::int32_t hidden = 0;
  for (const auto& control : host::Each(controls)) {
    if (!control->Visible()) ++hidden;
  }
  if (!popup) throw host::ObjectVariableNotSet();
  (*popup)->Visible(hidden != controls->Count());
}

host::Maybe<host::CommandBarControl> ExcelEvents::FindControlByCaption(const host::Ref<host::CommandBarPopup>& popup,
                                                                       const std::string& caption) {
  for (const auto& control : host::Each(popup->Controls())) {
    if (control->Type() == host::msoControlPopup) {
      if (auto found = FindControlByCaption(*AsPopup(control), caption)) return found;
    } else if (control->Caption() == caption) {
      return control;
    }
  }
  return std::nullopt;
}

void ExcelEvents::cmdBars_OnUpdate() {
  if (!mainPopup) return;
  try {
    (*mainPopup)->Visible(Application()->ActiveSheet().has_value());
  } catch (const std::exception&) {
  }
}

}  // namespace tabulara::addin
