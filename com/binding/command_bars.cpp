#include "com/binding/bound.h"
#include "com/binding/event_connection.h"
#include "host/constants.h"

namespace tabulara::com {
namespace {

// The members every kind of control has.
template <class Kind>
class ControlMembers : public Kind, public Bound {
 public:
  using Bound::Bound;
  std::string Caption() override { return object().Text(L"Caption"); }
  void Caption(const std::string& caption) override { object().Put(L"Caption", caption); }
  std::string Tag() override { return object().Text(L"Tag"); }
  void Tag(const std::string& tag) override { object().Put(L"Tag", tag); }
  void BeginGroup(bool beginGroup) override { object().Put(L"BeginGroup", beginGroup); }
  bool Visible() override { return object().Logical(L"Visible"); }
  void Visible(bool visible) override { object().Put(L"Visible", visible); }
  std::int32_t Index() override { return object().Long(L"Index"); }
  int Type() override { return object().Long(L"Type"); }
  host::Ref<host::CommandBar> Parent() override { return BoundCommandBar(object().Object(L"Parent")); }
  void Delete() override { object().Call(L"Delete"); }
};

class OtherControl final : public ControlMembers<host::CommandBarControl> {
 public:
  using ControlMembers::ControlMembers;
};

class Popup final : public ControlMembers<host::CommandBarPopup> {
 public:
  using ControlMembers::ControlMembers;
  host::Ref<host::CommandBarControls> Controls() override { return BoundControls(object().Object(L"Controls")); }
  host::Ref<host::CommandBar> CommandBar() override { return BoundCommandBar(object().Object(L"CommandBar")); }
};

class Button final : public ControlMembers<host::CommandBarButton> {
 public:
  using ControlMembers::ControlMembers;
  void Style(int style) override { object().Put(L"Style", style); }
  void FaceId(int faceId) override { object().Put(L"FaceId", faceId); }
  void PasteFace() override { object().Call(L"PasteFace"); }
  std::unique_ptr<host::Subscription> Advise(Events& sink) override {
    return Subscribe(object().get(), {{L"Click", [&sink](const EventArguments& arguments) {
                                         auto button = std::dynamic_pointer_cast<host::CommandBarButton>(
                                             BoundControl(ComPtr<IDispatch>::Retain(arguments.Object(0))));
                                         if (!button) throw host::TypeMismatch();
                                         bool cancelDefault = arguments.Logical(1);
                                         sink.Click(button, cancelDefault);
                                         arguments.SetLogical(1, cancelDefault);
                                       }}});
  }
};

class Controls final : public host::CommandBarControls, public Bound {
 public:
  using Bound::Bound;
  std::int32_t Count() override { return object().Long(L"Count"); }
  std::unique_ptr<host::Enumerator<host::CommandBarControl>> NewEnum() override {
    return Enumerate<host::CommandBarControl>(object(), &BoundControl);
  }
  host::Ref<host::CommandBarControl> Add(std::optional<int> type, std::optional<int> id,
                                         const std::optional<host::Variant>& parameter,
                                         std::optional<std::int32_t> before, std::optional<bool> temporary) override {
    return BoundControl(object().Object(L"Add", {type, id, parameter, before, temporary}));
  }
};

class CommandBar final : public host::CommandBar, public Bound {
 public:
  using Bound::Bound;
  std::string Name() override { return object().Text(L"Name"); }
  void Protection(int protection) override { object().Put(L"Protection", protection); }
  host::Maybe<host::CommandBarControl> FindControl(std::optional<int> type, std::optional<int> id,
                                                   const std::optional<std::string>& tag,
                                                   std::optional<bool> visible,
                                                   std::optional<bool> recursive) override {
    return Optional(object().Call(L"FindControl", {type, id, tag, visible, recursive}), &BoundControl);
  }
  host::Ref<host::CommandBarControls> Controls() override { return BoundControls(object().Object(L"Controls")); }
};

class CommandBars final : public host::CommandBars, public Bound {
 public:
  using Bound::Bound;
  host::Ref<host::CommandBar> Item(std::int32_t index) override {
    return BoundCommandBar(object().Object(L"Item", {static_cast<int>(index)}));
  }
  host::Ref<host::CommandBar> Item(const std::string& name) override {
    return BoundCommandBar(object().Object(L"Item", {name}));
  }
  std::unique_ptr<host::Subscription> Advise(Events& sink) override {
    return Subscribe(object().get(), {{L"OnUpdate", [&sink](const EventArguments&) { sink.OnUpdate(); }}});
  }
};

}  // namespace

host::Ref<host::CommandBars> BoundCommandBars(ComPtr<IDispatch> object) {
  return std::make_shared<CommandBars>(std::move(object));
}

host::Ref<host::CommandBar> BoundCommandBar(ComPtr<IDispatch> object) {
  return std::make_shared<CommandBar>(std::move(object));
}

host::Ref<host::CommandBarControls> BoundControls(ComPtr<IDispatch> object) {
  return std::make_shared<Controls>(std::move(object));
}

host::Ref<host::CommandBarControl> BoundControl(ComPtr<IDispatch> object) {
  const int type = LongOf(HostDispatch(ComPtr<IDispatch>::Retain(object.get())).Get(L"Type"));
  if (type == host::msoControlButton) return std::make_shared<Button>(std::move(object));
  if (type == host::msoControlPopup) return std::make_shared<Popup>(std::move(object));
  return std::make_shared<OtherControl>(std::move(object));
}

}  // namespace tabulara::com
