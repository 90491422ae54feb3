#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "host/events.h"
#include "host/object.h"
#include "host/variant.h"

namespace tabulara::host {

class CommandBar;
class CommandBarControls;

class CommandBarControl : public Object {
 public:
  virtual std::string Caption() = 0;
  virtual void Caption(const std::string& caption) = 0;
  virtual std::string Tag() = 0;
  virtual void Tag(const std::string& tag) = 0;
  virtual void BeginGroup(bool beginGroup) = 0;
  virtual bool Visible() = 0;
  virtual void Visible(bool visible) = 0;
  // 1-based position among the controls of its bar.
  virtual std::int32_t Index() = 0;
  // msoControlButton, msoControlPopup, ...
  virtual int Type() = 0;
  // The command bar that holds the control.
  virtual Ref<CommandBar> Parent() = 0;
  virtual void Delete() = 0;
};

class CommandBarPopup : public CommandBarControl {
 public:
  virtual Ref<CommandBarControls> Controls() = 0;
  // The bar behind the pop-up, which holds its items.
  virtual Ref<host::CommandBar> CommandBar() = 0;
};

class CommandBarButton : public CommandBarControl {
 public:
  class Events {
   public:
    virtual ~Events() = default;
    virtual void Click(const Ref<CommandBarButton>& ctrl, bool& cancelDefault) = 0;
  };

  // msoButtonIconAndCaption, ...
  virtual void Style(int style) = 0;
  virtual void FaceId(int faceId) = 0;
  // Takes the button's face from the picture on the clipboard.
  virtual void PasteFace() = 0;

  virtual std::unique_ptr<Subscription> Advise(Events& sink) = 0;
};

class CommandBarControls : public Object {
 public:
  using ItemType = CommandBarControl;

  virtual std::int32_t Count() = 0;
  virtual std::unique_ptr<Enumerator<CommandBarControl>> NewEnum() = 0;
  // Omitted arguments append a permanent control. A popup comes back as a
  // CommandBarPopup, a button as a CommandBarButton.
  virtual Ref<CommandBarControl> Add(std::optional<int> type = std::nullopt, std::optional<int> id = std::nullopt,
                                     const std::optional<Variant>& parameter = std::nullopt,
                                     std::optional<std::int32_t> before = std::nullopt,
                                     std::optional<bool> temporary = std::nullopt) = 0;
};

class CommandBar : public Object {
 public:
  virtual std::string Name() = 0;
  // msoBarNoProtection or msoBarNoCustomize.
  virtual void Protection(int protection) = 0;
  virtual Maybe<CommandBarControl> FindControl(std::optional<int> type = std::nullopt,
                                               std::optional<int> id = std::nullopt,
                                               const std::optional<std::string>& tag = std::nullopt,
                                               std::optional<bool> visible = std::nullopt,
                                               std::optional<bool> recursive = std::nullopt) = 0;
  virtual Ref<CommandBarControls> Controls() = 0;
};

class CommandBars : public Object {
 public:
  class Events {
   public:
    virtual ~Events() = default;
    virtual void OnUpdate() = 0;
  };

  // Item 1 is the worksheet menu bar.
  virtual Ref<CommandBar> Item(std::int32_t index) = 0;
  virtual Ref<CommandBar> Item(const std::string& name) = 0;

  virtual std::unique_ptr<Subscription> Advise(Events& sink) = 0;
};

}  // namespace tabulara::host
