#include <memory>
#include <string>

#include "embedded/objects/make.h"
#include "embedded/objects/reference.h"
#include "embedded/rules/calculation.h"
#include "embedded/rules/host_errors.h"
#include "host/constants.h"

namespace tabulara::embedded {
namespace {

std::string Truth(bool on) { return on ? "True" : "False"; }

bool KnownCursor(int cursor) {
  // xlDefault, xlNorthwestArrow, xlWait, xlIBeam.
  return cursor == host::xlDefault || cursor == 1 || cursor == host::xlWait || cursor == 3;
}

class ApplicationObject final : public host::Application, public Reference {
 public:
  explicit ApplicationObject(Context context) : Reference(std::move(context)) {}

  host::Maybe<host::Workbook> ActiveWorkbook() override {
    Enter("Application.ActiveWorkbook");
    std::shared_ptr<model::Workbook> workbook = host().application.ActiveWorkbook();
    if (!workbook) return std::nullopt;
    return MakeWorkbook(context(), workbook);
  }

  host::Maybe<host::Sheet> ActiveSheet() override {
    Enter("Application.ActiveSheet");
    std::optional<SheetTarget> active = ActiveTarget();
    if (!active) return std::nullopt;
    return MakeSheet(context(), *active);
  }

  host::Maybe<host::Range> ActiveCell() override {
    Enter("Application.ActiveCell");
    std::optional<SheetTarget> active = ActiveTarget();
    if (!active || active->sheet->kind != model::SheetKind::Worksheet) return std::nullopt;
    return MakeRange(context(), *active, {model::CellRect::Of(active->sheet->selection().activeCell)});
  }

  host::Maybe<host::Object> Selection() override {
    Enter("Application.Selection");
    std::optional<SheetTarget> active = ActiveTarget();
    if (!active) return std::nullopt;
    const model::Sheet& sheet = *active->sheet;
    if (sheet.kind != model::SheetKind::Worksheet) return MakeSheet(context(), *active);
    if (sheet.selection().shape && sheet.FindShape(*sheet.selection().shape) != nullptr) {
      return MakeShape(context(), *active, *sheet.selection().shape);
    }
    return MakeRange(context(), *active, sheet.selection().areas);
  }

  host::Ref<host::Sheets> Sheets() override {
    Enter("Application.Sheets");
    std::shared_ptr<model::Workbook> workbook = host().application.ActiveWorkbook();
    if (!workbook) throw ObjectMethodFailed("Sheets", "_Global");
    return MakeSheets(context(), workbook, false);
  }

  host::Ref<host::CommandBars> CommandBars() override {
    Enter("Application.CommandBars");
    return host().commandBars.CommandBars();
  }

  host::Ref<host::AddIns> AddIns() override {
    Enter("Application.AddIns");
    return host().addIns.AddIns();
  }

  void ScreenUpdating(bool on) override {
    Enter("Application.ScreenUpdating.Put");
    host().application.screenUpdating = on;
    host().application.settingsLog.push_back("ScreenUpdating=" + Truth(on));
  }

  void EnableEvents(bool on) override {
    Enter("Application.EnableEvents.Put");
    host().application.enableEvents = on;
    host().application.settingsLog.push_back("EnableEvents=" + Truth(on));
  }

  void Cursor(int cursor) override {
    Enter("Application.Cursor.Put");
    if (!KnownCursor(cursor)) throw PropertyNotSet("Cursor", "Application");
    host().application.cursor = cursor;
    host().application.settingsLog.push_back("Cursor=" + std::to_string(cursor));
  }

  void Volatile(bool isVolatile) override {
    Enter("Application.Volatile");
    host().application.volatileCalculation = isVolatile;
  }

  void Calculate() override {
    Enter("Application.Calculate");
    CalculateWorkbooks(host().application.workbooks, host().addIns);
  }

  std::unique_ptr<host::Subscription> Advise(Events& sink) override {
    Enter("Application.Advise");
    std::uint64_t id = host().events.Subscribe(sink);
    return std::make_unique<CountedSubscription>(host().runtime,
                                                 [context = context(), id] { context->events.Unsubscribe(id); });
  }

 private:
  std::optional<SheetTarget> ActiveTarget() const {
    std::shared_ptr<model::Workbook> workbook = host().application.ActiveWorkbook();
    if (!workbook) return std::nullopt;
    std::shared_ptr<model::Sheet> sheet = workbook->ActiveSheet();
    if (!sheet) return std::nullopt;
    return SheetTarget{workbook, sheet};
  }
};

}  // namespace

host::Ref<host::Application> MakeApplication(const Context& context) {
  return std::make_shared<ApplicationObject>(context);
}

}  // namespace tabulara::embedded
