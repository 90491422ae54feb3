#pragma once

#include <memory>
#include <optional>
#include <string>

#include "embedded/command_bar_set.h"
#include "host/constants.h"
#include "workbook_fixture.h"

namespace tabulara::embedded {

// The host's own command bars as the add-in meets them.
class CommandBarsTest : public ::testing::Test {
 protected:
  host::Ref<host::CommandBar> WorksheetMenuBar() { return set.CommandBars()->Item(1); }
  host::Ref<host::CommandBar> CellMenu() { return set.CommandBars()->Item("Cell"); }

  host::Ref<host::CommandBarPopup> AddPopup(const host::Ref<host::CommandBar>& bar, std::optional<int> before = {},
                                            std::optional<bool> temporary = {}) {
    return As<host::CommandBarPopup>(
        bar->Controls()->Add(host::msoControlPopup, std::nullopt, std::nullopt, before, temporary));
  }
  host::Ref<host::CommandBarButton> AddButton(const host::Ref<host::CommandBarControls>& controls) {
    return As<host::CommandBarButton>(controls->Add(host::msoControlButton));
  }

  std::shared_ptr<Runtime> runtime = std::make_shared<Runtime>();
  std::shared_ptr<Clipboard> clipboard = std::make_shared<Clipboard>();
  CommandBarSet set{runtime, clipboard};
};

// Office's error for a control or bar that was deleted.
inline auto RaisesDisconnected() { return RaisesHostError(-2147221080, "Automation error"); }

inline auto RaisesInvalidCall() { return RaisesHostError(5, "Invalid procedure call or argument"); }

}  // namespace tabulara::embedded
