#include "embedded/embedded_host.h"

#include <algorithm>
#include <stdexcept>

#include "embedded/objects/make.h"
#include "embedded/rules/reference_text.h"
#include "embedded/rules/sheet_names.h"
#include "host/host_error.h"

namespace tabulara::embedded {
namespace {

model::CellAddress SingleCell(std::string_view text) {
  std::optional<model::Areas> areas = ParseReference(text);
  if (!areas || areas->size() != 1 || areas->front().CellCount() != 1) {
    throw std::invalid_argument("not a cell: " + std::string(text));
  }
  return areas->front().TopLeft();
}

bool InSelection(const model::Selection& selection, model::CellAddress cell) {
  return !selection.shape && std::any_of(selection.areas.begin(), selection.areas.end(),
                                         [cell](const model::CellRect& area) { return area.Contains(cell); });
}

}  // namespace

EmbeddedHost::EmbeddedHost() : EmbeddedHost(std::make_shared<Clipboard>()) {}

EmbeddedHost::EmbeddedHost(std::shared_ptr<Clipboard> clipboard)
    : context_(std::make_shared<HostContext>(std::move(clipboard))) {}

EmbeddedHost::~EmbeddedHost() = default;

void EmbeddedHost::SetTemplateLoader(TemplateLoader loader) { context_->templateLoader = std::move(loader); }

host::Ref<host::Application> EmbeddedHost::Application() const { return MakeApplication(context_); }

model::Workbook& EmbeddedHost::NewWorkbook(const std::vector<std::string>& worksheetNames, const std::string& name) {
  auto workbook = std::make_shared<model::Workbook>();
  int number = model().nextBookNumber++;
  workbook->name = name.empty() ? "Book" + std::to_string(number) + ".xlsx" : name;
  Open(workbook);
  for (const std::string& sheetName : worksheetNames) AddSheet(*workbook, sheetName);
  return *workbook;
}

model::Workbook& EmbeddedHost::Open(std::shared_ptr<model::Workbook> workbook) {
  if (!workbook->ActiveSheet()) {
    for (const std::shared_ptr<model::Sheet>& sheet : workbook->sheets) {
      if (sheet->visibility == host::xlSheetVisible) {
        workbook->activeSheet = sheet;
        break;
      }
    }
  }
  model().workbooks.push_back(workbook);
  model().activeWorkbook = workbook;
  return *workbook;
}

void EmbeddedHost::Close(model::Workbook& workbook) {
  std::vector<std::shared_ptr<model::Workbook>>& workbooks = model().workbooks;
  std::erase_if(workbooks, [&](const auto& open) { return open.get() == &workbook; });
  if (!model().ActiveWorkbook()) {
    model().activeWorkbook = workbooks.empty() ? std::weak_ptr<model::Workbook>() : workbooks.back();
  }
}

model::Workbook& EmbeddedHost::ActiveWorkbook() const {
  std::shared_ptr<model::Workbook> workbook = model().ActiveWorkbook();
  if (!workbook) throw std::invalid_argument("no workbook is open");
  return *workbook;
}

model::Workbook& EmbeddedHost::WorkbookOf(const model::Sheet& sheet) const { return *Target(sheet).workbook; }

model::Sheet& EmbeddedHost::AddSheet(model::Workbook& workbook, const std::string& name, model::SheetKind kind,
                                     int visibility) {
  try {
    ValidateSheetName(name);
  } catch (const host::HostError& error) {
    throw std::invalid_argument(error.Description());
  }
  if (FindSheet(workbook, name)) throw std::invalid_argument("a sheet is named so already: " + name);
  auto sheet = std::make_shared<model::Sheet>();
  sheet->kind = kind;
  sheet->name = name;
  sheet->visibility = visibility;
  workbook.sheets.push_back(sheet);
  if (kind == model::SheetKind::Worksheet) {
    auto worksheets = std::count_if(workbook.sheets.begin(), workbook.sheets.end(),
                                    [](const auto& added) { return added->kind == model::SheetKind::Worksheet; });
    workbook.nextSheetNumber = std::max(workbook.nextSheetNumber, static_cast<int>(worksheets) + 1);
  }
  if (!workbook.ActiveSheet() && visibility == host::xlSheetVisible) workbook.activeSheet = sheet;
  return *sheet;
}

model::Sheet& EmbeddedHost::Sheet(std::string_view name) const { return Sheet(ActiveWorkbook(), name); }

model::Sheet& EmbeddedHost::Sheet(const model::Workbook& workbook, std::string_view name) const {
  std::shared_ptr<model::Sheet> sheet = FindSheet(workbook, name);
  if (!sheet) throw std::invalid_argument("no sheet named " + std::string(name));
  return *sheet;
}

std::vector<std::string> EmbeddedHost::SheetNames(const model::Workbook& workbook) const {
  std::vector<std::string> names;
  for (const std::shared_ptr<model::Sheet>& sheet : workbook.sheets) names.push_back(sheet->name);
  return names;
}

model::Sheet& EmbeddedHost::ActiveSheet() const {
  std::shared_ptr<model::Sheet> sheet = ActiveWorkbook().ActiveSheet();
  if (!sheet) throw std::invalid_argument("the active workbook has no active sheet");
  return *sheet;
}

void EmbeddedHost::Activate(model::Sheet& sheet) {
  if (sheet.visibility != host::xlSheetVisible) throw std::invalid_argument("a hidden sheet cannot be active");
  SheetTarget target = Target(sheet);
  target.workbook->activeSheet = target.sheet;
  model().activeWorkbook = target.workbook;
}

void EmbeddedHost::ProtectStructure(model::Workbook& workbook, bool on) { workbook.structureProtected = on; }

void EmbeddedHost::ProtectSheet(model::Sheet& sheet, bool scenarios, bool drawingObjects, bool contents) {
  sheet.protection() = {true, contents, drawingObjects, scenarios};
}

void EmbeddedHost::UnprotectSheet(model::Sheet& sheet) { sheet.protection().isProtected = false; }

void EmbeddedHost::Select(model::Sheet& sheet, std::string_view areas, std::string_view activeCell) {
  std::optional<model::Areas> selected = ParseReference(areas);
  if (!selected) throw std::invalid_argument("not a reference: " + std::string(areas));
  model::CellAddress active = activeCell.empty() ? selected->front().TopLeft() : SingleCell(activeCell);
  if (!InSelection({*selected, active, std::nullopt}, active)) {
    throw std::invalid_argument("the active cell lies outside the selection");
  }
  sheet.selection() = {std::move(*selected), active, std::nullopt};
}

void EmbeddedHost::SelectShape(model::Sheet& sheet, std::string_view shapeName) {
  model::Shape* shape = FindShape(sheet, shapeName);
  if (shape == nullptr) throw std::invalid_argument("no shape named " + std::string(shapeName));
  sheet.selection().shape = shape->id;
}

bool EmbeddedHost::DoubleClick(std::string_view cell) {
  model::Sheet& sheet = ActiveSheet();
  model::CellAddress clicked = SingleCell(cell);
  // Chart sheets have no cells and raise no sheet events.
  if (sheet.kind != model::SheetKind::Worksheet) return false;
  sheet.selection() = {{model::CellRect::Of(clicked)}, clicked, std::nullopt};
  return RaiseCellEvent(sheet, clicked, &EventHub::Sink::SheetBeforeDoubleClick);
}

bool EmbeddedHost::RightClick(std::string_view cell) {
  model::Sheet& sheet = ActiveSheet();
  model::CellAddress clicked = SingleCell(cell);
  if (sheet.kind != model::SheetKind::Worksheet) return false;
  if (!InSelection(sheet.selection(), clicked)) {
    sheet.selection() = {{model::CellRect::Of(clicked)}, clicked, std::nullopt};
  }
  commandBars().FitCellMenu(sheet.comments().contains(sheet.selection().activeCell));
  return RaiseCellEvent(sheet, clicked, &EventHub::Sink::SheetBeforeRightClick);
}

bool EmbeddedHost::BeforeSave(model::Workbook& workbook, bool saveAsUI) {
  auto saved = std::find_if(model().workbooks.begin(), model().workbooks.end(),
                            [&](const auto& open) { return open.get() == &workbook; });
  if (saved == model().workbooks.end()) throw std::invalid_argument("the workbook is not open");
  bool cancel = false;
  if (!model().enableEvents) return cancel;
  host::Ref<host::Workbook> wb = MakeWorkbook(context_, *saved);
  context_->events.Raise([&](EventHub::Sink& sink) { sink.WorkbookBeforeSave(wb, saveAsUI, cancel); });
  return cancel;
}

bool EmbeddedHost::RaiseCellEvent(model::Sheet& sheet, model::CellAddress cell, CellEvent event) {
  bool cancel = false;
  if (!model().enableEvents) return cancel;
  SheetTarget target = Target(sheet);
  host::Ref<host::Sheet> sh = MakeSheet(context_, target);
  host::Ref<host::Range> range = MakeRange(context_, target, {model::CellRect::Of(cell)});
  context_->events.Raise([&](EventHub::Sink& sink) { (sink.*event)(sh, range, cancel); });
  return cancel;
}

SheetTarget EmbeddedHost::Target(const model::Sheet& sheet) const {
  for (const std::shared_ptr<model::Workbook>& workbook : model().workbooks) {
    std::ptrdiff_t index = workbook->IndexOf(sheet);
    if (index >= 0) return {workbook, workbook->sheets[static_cast<std::size_t>(index)]};
  }
  throw std::invalid_argument("the sheet is in no open workbook: " + sheet.name);
}

}  // namespace tabulara::embedded
