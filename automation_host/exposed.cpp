#include "automation_host/exposed.h"

#include <new>

#include "automation_host/event_source.h"
#include "automation_host/system_clipboard.h"
#include "automation_host/variant_enumerator.h"

// wingdi.h's RGB macro would take the place of ColorFormat's member.
#undef RGB
#include "host/addins.h"
#include "host/application.h"
#include "host/command_bars.h"
#include "host/host_error.h"
#include "host/hyperlinks.h"
#include "host/range.h"
#include "host/shapes.h"
#include "host/sheet.h"
#include "host/workbook.h"
#include "host_object_model.h"

namespace tabulara::automation {
namespace {

std::shared_ptr<platform::Clipboard> sharedClipboard;

template <class T>
OwnedVariant Object(const host::Ref<T>& object) {
  return Result(Expose(object));
}

template <class T>
OwnedVariant Object(const host::Maybe<T>& object) {
  return object ? Result(Expose(*object)) : Nothing();
}

template <class T>
host::Ref<T> Model(const Call& call, unsigned position) {
  auto object = std::dynamic_pointer_cast<T>(call.Object(position));
  if (!object) throw host::TypeMismatch();
  return object;
}

template <class T>
std::optional<T> OptionalOf(const Call& call, unsigned position, T (Call::*read)(unsigned) const) {
  if (call.Missing(position)) return std::nullopt;
  return (call.*read)(position);
}

IDispatch* Made(HostObject* object) {
  object->AddRef();
  return object;
}

// The put's value as a call argument.
Call PutCall(const Call& call, DISPPARAMS& single) {
  single = DISPPARAMS{const_cast<VARIANT*>(&call.PutValue()), nullptr, 1, 0};
  return Call(single);
}

template <class Read>
auto PutValue(const Call& call, Read read) {
  DISPPARAMS single{};
  const Call value = PutCall(call, single);
  return (value.*read)(0);
}

// Raises an event whose last argument is a Cancel flag the sinks may set.
bool RaiseCancellable(ConnectionPoint& point, const wchar_t* name, std::vector<OwnedVariant> arguments,
                      bool cancel) {
  VARIANT_BOOL flag = cancel ? VARIANT_TRUE : VARIANT_FALSE;
  std::vector<VARIANT> values;
  for (auto& argument : arguments) values.push_back(*argument.get());
  VARIANT byReference;
  VariantInit(&byReference);
  V_VT(&byReference) = VT_BOOL | VT_BYREF;
  V_BOOLREF(&byReference) = &flag;
  values.push_back(byReference);
  point.Raise(name, std::move(values));
  return flag != VARIANT_FALSE;
}

struct ApplicationForwarder : host::Application::Events {
  ConnectionPoint* point = nullptr;
  void SheetBeforeDoubleClick(const host::Ref<host::Sheet>& sh, const host::Ref<host::Range>& target,
                              bool& cancel) override {
    std::vector<OwnedVariant> arguments;
    arguments.push_back(Object(sh));
    arguments.push_back(Object(target));
    cancel = RaiseCancellable(*point, L"SheetBeforeDoubleClick", std::move(arguments), cancel);
  }
  void SheetBeforeRightClick(const host::Ref<host::Sheet>& sh, const host::Ref<host::Range>& target,
                             bool& cancel) override {
    std::vector<OwnedVariant> arguments;
    arguments.push_back(Object(sh));
    arguments.push_back(Object(target));
    cancel = RaiseCancellable(*point, L"SheetBeforeRightClick", std::move(arguments), cancel);
  }
  void WorkbookBeforeSave(const host::Ref<host::Workbook>& wb, bool saveAsUI, bool& cancel) override {
    std::vector<OwnedVariant> arguments;
    arguments.push_back(Object(wb));
    arguments.push_back(Result(saveAsUI));
    cancel = RaiseCancellable(*point, L"WorkbookBeforeSave", std::move(arguments), cancel);
  }
};

struct CommandBarsForwarder : host::CommandBars::Events {
  ConnectionPoint* point = nullptr;
  void OnUpdate() override { point->Raise(L"OnUpdate", {}); }
};

struct ButtonForwarder : host::CommandBarButton::Events {
  ConnectionPoint* point = nullptr;
  void Click(const host::Ref<host::CommandBarButton>& ctrl, bool& cancelDefault) override {
    std::vector<OwnedVariant> arguments;
    arguments.push_back(Object(ctrl));
    cancelDefault = RaiseCancellable(*point, L"Click", std::move(arguments), cancelDefault);
  }
};

// An event source whose connection point forwards the model's events.
template <class Source, class Forwarder>
IDispatch* ExposeSource(REFIID type, const host::Ref<Source>& model, std::vector<Member> members, REFIID events) {
  auto point = std::make_shared<ConnectionPoint*>(nullptr);
  ConnectionPoint::Subscriber subscribe = [model, point]() -> std::unique_ptr<host::Subscription> {
    struct Held : host::Subscription {
      Forwarder forwarder;
      std::unique_ptr<host::Subscription> inner;
    };
    auto held = std::make_unique<Held>();
    held->forwarder.point = *point;
    held->inner = model->Advise(held->forwarder);
    return held;
  };
  auto* source = new EventSource(type, model, std::move(members), events, std::move(subscribe));
  *point = &source->point();
  return Made(source);
}

IDispatch* Plain(REFIID type, const host::Ref<host::Object>& model, std::vector<Member> members) {
  return Made(new HostObject(type, model, std::move(members)));
}

IDispatch* ExposeApplication(const host::Ref<host::Application>& app) {
  return ExposeSource<host::Application, ApplicationForwarder>(
      DIID__Application, app,
      {
          {L"ActiveWorkbook", [app](const Call&) { return Object(app->ActiveWorkbook()); }, {}},
          {L"ActiveSheet", [app](const Call&) { return Object(app->ActiveSheet()); }, {}},
          {L"ActiveCell", [app](const Call&) { return Object(app->ActiveCell()); }, {}},
          {L"Selection", [app](const Call&) { return Object(app->Selection()); }, {}},
          {L"Sheets", [app](const Call&) { return Object(app->Sheets()); }, {}},
          {L"CommandBars", [app](const Call&) { return Object(app->CommandBars()); }, {}},
          {L"AddIns", [app](const Call&) { return Object(app->AddIns()); }, {}},
          {L"ScreenUpdating", {}, [app](const Call& call) { app->ScreenUpdating(PutValue(call, &Call::Logical)); }},
          {L"EnableEvents", {}, [app](const Call& call) { app->EnableEvents(PutValue(call, &Call::Logical)); }},
          {L"Cursor", {}, [app](const Call& call) { app->Cursor(PutValue(call, &Call::Long)); }},
          {L"Volatile",
           [app](const Call& call) {
             app->Volatile(call.Missing(0) || call.Logical(0));
             return Nothing();
           },
           {}},
          {L"Calculate",
           [app](const Call&) {
             app->Calculate();
             return Nothing();
           },
           {}},
      },
      DIID_AppEvents);
}

IDispatch* ExposeWorkbook(const host::Ref<host::Workbook>& book) {
  return Plain(DIID__Workbook, book,
               {
                   {L"ActiveSheet", [book](const Call&) { return Object(book->ActiveSheet()); }, {}},
                   {L"Sheets", [book](const Call&) { return Object(book->Sheets()); }, {}},
                   {L"Worksheets", [book](const Call&) { return Object(book->Worksheets()); }, {}},
               });
}

IDispatch* ExposeSheets(const host::Ref<host::Sheets>& sheets) {
  return Plain(DIID_Sheets, sheets,
               {
                   {L"Count", [sheets](const Call&) { return Result(static_cast<int>(sheets->Count())); }, {}},
                   {L"Item",
                    [sheets](const Call& call) {
                      const host::Variant index = call.Value(0);
                      return Object(index.IsText() ? sheets->Item(index.AsText())
                                                   : sheets->Item(static_cast<std::int32_t>(call.Number(0))));
                    },
                    {}},
                   {L"_NewEnum", [sheets](const Call&) { return Enumeration(*sheets); }, {}},
                   {L"Add",
                    [sheets](const Call& call) {
                      host::Maybe<host::Sheet> before;
                      if (!call.Missing(0)) before = Model<host::Sheet>(call, 0);
                      return Object(sheets->Add(before, OptionalOf(call, 3, &Call::Text)));
                    },
                    {}},
               });
}

template <class Kind>
std::vector<Member> SheetMembers(const host::Ref<Kind>& sheet) {
  return {
      {L"Name", [sheet](const Call&) { return Result(sheet->Name()); },
       [sheet](const Call& call) { sheet->Name(PutValue(call, &Call::Text)); }},
      {L"Visible", [sheet](const Call&) { return Result(sheet->Visible()); },
       [sheet](const Call& call) { sheet->Visible(PutValue(call, &Call::Long)); }},
      {L"Move",
       [sheet](const Call& call) {
         sheet->Move(Model<host::Sheet>(call, 0));
         return Nothing();
       },
       {}},
      {L"Activate",
       [sheet](const Call&) {
         sheet->Activate();
         return Nothing();
       },
       {}},
  };
}

IDispatch* ExposeSheet(const host::Ref<host::Sheet>& sheet) {
  auto worksheet = std::dynamic_pointer_cast<host::Worksheet>(sheet);
  if (!worksheet) return Plain(DIID__Chart, sheet, SheetMembers(sheet));
  std::vector<Member> members = SheetMembers(sheet);
  const std::vector<Member> more = {
      {L"ProtectScenarios", [worksheet](const Call&) { return Result(worksheet->ProtectScenarios()); }, {}},
      {L"Shapes", [worksheet](const Call&) { return Object(worksheet->Shapes()); }, {}},
      {L"Hyperlinks", [worksheet](const Call&) { return Object(worksheet->Hyperlinks()); }, {}},
      {L"Cells", [worksheet](const Call&) { return Object(worksheet->Cells()); }, {}},
      {L"Range", [worksheet](const Call& call) { return Object(worksheet->Range(call.Text(0))); }, {}},
      {L"Calculate",
       [worksheet](const Call&) {
         worksheet->Calculate();
         return Nothing();
       },
       {}},
  };
  members.insert(members.end(), more.begin(), more.end());
  return Plain(DIID__Worksheet, sheet, std::move(members));
}

IDispatch* ExposeRange(const host::Ref<host::Range>& range) {
  return Plain(
      DIID_Range, range,
      {
          {L"Count", [range](const Call&) { return Result(static_cast<double>(range->Count())); }, {}},
          // The default member: the value, as a worksheet function's argument reads it.
          {L"_Default",
           [range](const Call& call) {
             if (!call.Missing(0)) throw host::HostError(438, "Object doesn't support this property or method");
             return Result(range->Value());
           },
           {}},
          {L"_NewEnum", [range](const Call&) { return Enumeration(*range); }, {}},
          {L"Value", [range](const Call&) { return Result(range->Value()); },
           [range](const Call& call) { range->Value(PutValue(call, &Call::Value)); }},
          {L"HasFormula", [range](const Call&) { return Result(range->HasFormula()); }, {}},
          {L"HasArray", [range](const Call&) { return Result(range->HasArray()); }, {}},
          {L"Clear",
           [range](const Call&) {
             range->Clear();
             return Nothing();
           },
           {}},
          {L"SpecialCells",
           [range](const Call& call) { return Object(range->SpecialCells(call.Long(0), call.Long(1))); }, {}},
          {L"Font", [range](const Call&) { return Object(range->Font()); }, {}},
          {L"Address",
           [range](const Call& call) { return Result(range->Address(!call.Missing(3) && call.Logical(3))); }, {}},
          {L"Worksheet", [range](const Call&) { return Object(range->Worksheet()); }, {}},
          {L"Left", [range](const Call&) { return Result(range->Left()); }, {}},
          {L"Top", [range](const Call&) { return Result(range->Top()); }, {}},
          {L"Width", [range](const Call&) { return Result(range->Width()); }, {}},
          {L"Height", [range](const Call&) { return Result(range->Height()); }, {}},
          {L"Comment", [range](const Call&) { return Object(range->Comment()); }, {}},
      });
}

IDispatch* ExposeFont(const host::Ref<host::Font>& font) {
  return Plain(DIID_Font, font,
               {
                   {L"Name", {}, [font](const Call& call) { font->Name(PutValue(call, &Call::Text)); }},
                   {L"Bold", {}, [font](const Call& call) { font->Bold(PutValue(call, &Call::Logical)); }},
                   {L"Italic", {}, [font](const Call& call) { font->Italic(PutValue(call, &Call::Logical)); }},
                   {L"Size", {}, [font](const Call& call) { font->Size(PutValue(call, &Call::Number)); }},
               });
}

IDispatch* ExposeHyperlinks(const host::Ref<host::Hyperlinks>& links) {
  return Plain(DIID_Hyperlinks, links,
               {
                   {L"Count", [links](const Call&) { return Result(static_cast<int>(links->Count())); }, {}},
                   {L"Delete",
                    [links](const Call&) {
                      links->Delete();
                      return Nothing();
                    },
                    {}},
                   {L"Add",
                    [links](const Call& call) {
                      links->Add(Model<host::Range>(call, 0), call.Text(1),
                                 call.Missing(2) ? std::string() : call.Text(2));
                      return Nothing();
                    },
                    {}},
               });
}

IDispatch* ExposeShapes(const host::Ref<host::Shapes>& shapes) {
  return Plain(DIID_Shapes, shapes,
               {
                   {L"_NewEnum", [shapes](const Call&) { return Enumeration(*shapes); }, {}},
                   {L"AddLine",
                    [shapes](const Call& call) {
                      return Object(shapes->AddLine(static_cast<float>(call.Number(0)),
                                                    static_cast<float>(call.Number(1)),
                                                    static_cast<float>(call.Number(2)),
                                                    static_cast<float>(call.Number(3))));
                    },
                    {}},
               });
}

IDispatch* ExposeShape(const host::Ref<host::Shape>& shape) {
  return Plain(DIID_Shape, shape,
               {
                   {L"Name", [shape](const Call&) { return Result(shape->Name()); },
                    [shape](const Call& call) { shape->Name(PutValue(call, &Call::Text)); }},
                   {L"Type", [shape](const Call&) { return Result(shape->Type()); }, {}},
                   {L"Delete",
                    [shape](const Call&) {
                      shape->Delete();
                      return Nothing();
                    },
                    {}},
                   {L"AutoShapeType", {},
                    [shape](const Call& call) { shape->AutoShapeType(PutValue(call, &Call::Long)); }},
                   {L"ControlFormat", [shape](const Call&) { return Object(shape->ControlFormat()); }, {}},
                   {L"Line", [shape](const Call&) { return Object(shape->Line()); }, {}},
               });
}

IDispatch* ExposeLine(const host::Ref<host::LineFormat>& line) {
  const auto single = [](const Call& call) { return static_cast<float>(PutValue(call, &Call::Number)); };
  return Plain(DIID_LineFormat, line,
               {
                   {L"Weight", {}, [line, single](const Call& call) { line->Weight(single(call)); }},
                   {L"DashStyle", {}, [line](const Call& call) { line->DashStyle(PutValue(call, &Call::Long)); }},
                   {L"Style", {}, [line](const Call& call) { line->Style(PutValue(call, &Call::Long)); }},
                   {L"Transparency", {}, [line, single](const Call& call) { line->Transparency(single(call)); }},
                   {L"Visible", {}, [line](const Call& call) { line->Visible(PutValue(call, &Call::Long)); }},
                   {L"ForeColor", [line](const Call&) { return Object(line->ForeColor()); }, {}},
                   {L"BackColor", [line](const Call&) { return Object(line->BackColor()); }, {}},
               });
}

IDispatch* ExposeColor(const host::Ref<host::ColorFormat>& color) {
  return Plain(DIID_ColorFormat, color,
               {
                   {L"SchemeColor", {},
                    [color](const Call& call) { color->SchemeColor(PutValue(call, &Call::Long)); }},
                   {L"RGB", {}, [color](const Call& call) { color->RGB(PutValue(call, &Call::Long)); }},
               });
}

IDispatch* ExposeControlFormat(const host::Ref<host::ControlFormat>& format) {
  return Plain(DIID_ControlFormat, format,
               {
                   {L"PrintObject", {},
                    [format](const Call& call) { format->PrintObject(PutValue(call, &Call::Logical)); }},
               });
}

IDispatch* ExposeComment(const host::Ref<host::Comment>& comment) {
  return Plain(DIID_Comment, comment,
               {
                   {L"Visible", {},
                    [comment](const Call& call) { comment->Visible(PutValue(call, &Call::Logical)); }},
                   {L"Shape", [comment](const Call&) { return Object(comment->Shape()); }, {}},
               });
}

IDispatch* ExposeAddIns(const host::Ref<host::AddIns>& addIns) {
  return Plain(DIID_AddIns, addIns,
               {
                   {L"_NewEnum", [addIns](const Call&) { return Enumeration(*addIns); }, {}},
                   {L"Add",
                    [addIns](const Call& call) {
                      return Object(addIns->Add(call.Text(0), !call.Missing(1) && call.Logical(1)));
                    },
                    {}},
               });
}

IDispatch* ExposeAddIn(const host::Ref<host::AddIn>& addIn) {
  return Plain(DIID_AddIn, addIn,
               {
                   {L"progID", [addIn](const Call&) { return Result(addIn->progID()); }, {}},
                   {L"Installed", [addIn](const Call&) { return Result(addIn->Installed()); },
                    [addIn](const Call& call) { addIn->Installed(PutValue(call, &Call::Logical)); }},
               });
}

IDispatch* ExposeCommandBars(const host::Ref<host::CommandBars>& bars) {
  return ExposeSource<host::CommandBars, CommandBarsForwarder>(
      DIID__CommandBars, bars,
      {
          {L"Item",
           [bars](const Call& call) {
             const host::Variant index = call.Value(0);
             return Object(index.IsText() ? bars->Item(index.AsText())
                                          : bars->Item(static_cast<std::int32_t>(call.Number(0))));
           },
           {}},
      },
      DIID__CommandBarsEvents);
}

IDispatch* ExposeCommandBar(const host::Ref<host::CommandBar>& bar) {
  return Plain(DIID_CommandBar, bar,
               {
                   {L"Name", [bar](const Call&) { return Result(bar->Name()); }, {}},
                   {L"Protection", {}, [bar](const Call& call) { bar->Protection(PutValue(call, &Call::Long)); }},
                   {L"FindControl",
                    [bar](const Call& call) {
                      return Object(bar->FindControl(OptionalOf(call, 0, &Call::Long), OptionalOf(call, 1, &Call::Long),
                                                     OptionalOf(call, 2, &Call::Text),
                                                     OptionalOf(call, 3, &Call::Logical),
                                                     OptionalOf(call, 4, &Call::Logical)));
                    },
                    {}},
                   {L"Controls", [bar](const Call&) { return Object(bar->Controls()); }, {}},
               });
}

IDispatch* ExposeControls(const host::Ref<host::CommandBarControls>& controls) {
  return Plain(DIID_CommandBarControls, controls,
               {
                   {L"Count", [controls](const Call&) { return Result(static_cast<int>(controls->Count())); }, {}},
                   {L"_NewEnum", [controls](const Call&) { return Enumeration(*controls); }, {}},
                   {L"Add",
                    [controls](const Call& call) {
                      std::optional<host::Variant> parameter;
                      if (!call.Missing(2)) parameter = call.Value(2);
                      return Object(controls->Add(OptionalOf(call, 0, &Call::Long), OptionalOf(call, 1, &Call::Long),
                                                  parameter, OptionalOf(call, 3, &Call::Long),
                                                  OptionalOf(call, 4, &Call::Logical)));
                    },
                    {}},
               });
}

template <class Kind>
std::vector<Member> ControlMembers(const host::Ref<Kind>& control) {
  return {
      {L"Caption", [control](const Call&) { return Result(control->Caption()); },
       [control](const Call& call) { control->Caption(PutValue(call, &Call::Text)); }},
      {L"Tag", [control](const Call&) { return Result(control->Tag()); },
       [control](const Call& call) { control->Tag(PutValue(call, &Call::Text)); }},
      {L"BeginGroup", {}, [control](const Call& call) { control->BeginGroup(PutValue(call, &Call::Logical)); }},
      {L"Visible", [control](const Call&) { return Result(control->Visible()); },
       [control](const Call& call) { control->Visible(PutValue(call, &Call::Logical)); }},
      {L"Index", [control](const Call&) { return Result(static_cast<int>(control->Index())); }, {}},
      {L"Type", [control](const Call&) { return Result(control->Type()); }, {}},
      {L"Parent", [control](const Call&) { return Object(control->Parent()); }, {}},
      {L"Delete",
       [control](const Call&) {
         control->Delete();
         return Nothing();
       },
       {}},
  };
}

IDispatch* ExposeControl(const host::Ref<host::CommandBarControl>& control) {
  if (auto button = std::dynamic_pointer_cast<host::CommandBarButton>(control)) {
    std::vector<Member> members = ControlMembers(button);
    const std::vector<Member> more = {
        {L"Style", {}, [button](const Call& call) { button->Style(PutValue(call, &Call::Long)); }},
        {L"FaceId", {}, [button](const Call& call) { button->FaceId(PutValue(call, &Call::Long)); }},
        {L"PasteFace",
         [button](const Call&) {
           if (sharedClipboard) sharedClipboard->picture = ClipboardPicture();
           button->PasteFace();
           return Nothing();
         },
         {}},
    };
    members.insert(members.end(), more.begin(), more.end());
    return ExposeSource<host::CommandBarButton, ButtonForwarder>(DIID__CommandBarButton, button, std::move(members),
                                                           DIID__CommandBarButtonEvents);
  }
  if (auto popup = std::dynamic_pointer_cast<host::CommandBarPopup>(control)) {
    std::vector<Member> members = ControlMembers(popup);
    members.push_back({L"Controls", [popup](const Call&) { return Object(popup->Controls()); }, {}});
    members.push_back({L"CommandBar", [popup](const Call&) { return Object(popup->CommandBar()); }, {}});
    return Plain(DIID_CommandBarPopup, popup, std::move(members));
  }
  return Plain(DIID_CommandBarControl, control, ControlMembers(control));
}

template <class T, class Exposer>
bool Try(const host::Ref<host::Object>& object, Exposer expose, IDispatch*& exposed) {
  auto typed = std::dynamic_pointer_cast<T>(object);
  if (typed) exposed = expose(typed);
  return static_cast<bool>(typed);
}

}  // namespace

void ShareClipboard(std::shared_ptr<platform::Clipboard> clipboard) { sharedClipboard = std::move(clipboard); }

IDispatch* Expose(const host::Ref<host::Object>& object) {
  if (!object) return nullptr;
  IDispatch* exposed = nullptr;
  Try<host::Application>(object, ExposeApplication, exposed) || Try<host::Workbook>(object, ExposeWorkbook, exposed) ||
      Try<host::Sheets>(object, ExposeSheets, exposed) || Try<host::Sheet>(object, ExposeSheet, exposed) ||
      Try<host::Range>(object, ExposeRange, exposed) || Try<host::Font>(object, ExposeFont, exposed) ||
      Try<host::Hyperlinks>(object, ExposeHyperlinks, exposed) || Try<host::Shapes>(object, ExposeShapes, exposed) ||
      Try<host::Shape>(object, ExposeShape, exposed) || Try<host::LineFormat>(object, ExposeLine, exposed) ||
      Try<host::ColorFormat>(object, ExposeColor, exposed) ||
      Try<host::ControlFormat>(object, ExposeControlFormat, exposed) ||
      Try<host::Comment>(object, ExposeComment, exposed) || Try<host::AddIns>(object, ExposeAddIns, exposed) ||
      Try<host::AddIn>(object, ExposeAddIn, exposed) || Try<host::CommandBars>(object, ExposeCommandBars, exposed) ||
      Try<host::CommandBar>(object, ExposeCommandBar, exposed) ||
      Try<host::CommandBarControls>(object, ExposeControls, exposed) ||
      Try<host::CommandBarControl>(object, ExposeControl, exposed);
  if (exposed == nullptr) throw host::TypeMismatch();
  return exposed;
}

}  // namespace tabulara::automation
