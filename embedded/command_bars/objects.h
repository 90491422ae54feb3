#pragma once

#include <memory>

#include "embedded/command_bars/model.h"
#include "host/command_bars.h"

namespace tabulara::embedded::command_bars {

// New references to the model's objects, each counted as a live host
// reference for as long as it exists.
host::Ref<host::CommandBars> MakeCommandBarsObject(const std::shared_ptr<Model>& model);
host::Ref<host::CommandBar> MakeBarObject(const std::shared_ptr<Model>& model, const std::shared_ptr<Bar>& bar);
host::Ref<host::CommandBarControls> MakeControlsObject(const std::shared_ptr<Model>& model,
                                                       const std::shared_ptr<Bar>& bar);
// A pop-up as a CommandBarPopup, any other control as a CommandBarButton.
host::Ref<host::CommandBarControl> MakeControlObject(const std::shared_ptr<Model>& model,
                                                     const std::shared_ptr<Control>& control);
host::Ref<host::CommandBarButton> MakeButtonObject(const std::shared_ptr<Model>& model,
                                                   const std::shared_ptr<Control>& control);

// A click on the button: every subscriber gets Click with a new reference to
// it, in the order they subscribed. Errors of a handler pass through.
void RaiseClick(const std::shared_ptr<Model>& model, const std::shared_ptr<Control>& button);

}  // namespace tabulara::embedded::command_bars
