#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "embedded/command_bar_set.h"
#include "host/constants.h"
#include "host/host_error.h"

namespace tabulara::embedded {

// The host's own command bars as the add-in meets them.
class CommandBarsTest : public ::testing::Test {
 protected:
  host::Ref<host::CommandBar> WorksheetMenuBar() { return set.CommandBars()->Item(1); }
  host::Ref<host::CommandBar> CellMenu() { return set.CommandBars()->Item("Cell"); }

  host::Ref<host::CommandBarPopup> AddPopup(const host::Ref<host::CommandBar>& bar, std::optional<int> before = {},
                                            std::optional<bool> temporary = {}) {
    return std::dynamic_pointer_cast<host::CommandBarPopup>(
        bar->Controls()->Add(host::msoControlPopup, std::nullopt, std::nullopt, before, temporary));
  }
  host::Ref<host::CommandBarButton> AddButton(const host::Ref<host::CommandBarControls>& controls) {
    return std::dynamic_pointer_cast<host::CommandBarButton>(controls->Add(host::msoControlButton));
  }

  std::shared_ptr<Runtime> runtime = std::make_shared<Runtime>();
  std::shared_ptr<Clipboard> clipboard = std::make_shared<Clipboard>();
  CommandBarSet set{runtime, clipboard};
};

inline void ExpectHostError(long number, const std::string& description, const std::function<void()>& call) {
  try {
    call();
    ADD_FAILURE() << "expected error " << number << " \"" << description << "\"";
  } catch (const host::HostError& error) {
    EXPECT_EQ(error.Number(), number);
    EXPECT_EQ(error.Description(), description);
  }
}

// Office's error for a control or bar that was deleted.
inline void ExpectDisconnected(const std::function<void()>& call) {
  ExpectHostError(-2147221080, "Automation error", call);
}

}  // namespace tabulara::embedded
