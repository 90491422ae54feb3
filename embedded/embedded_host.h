#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "embedded/addin_list.h"
#include "embedded/clipboard.h"
#include "embedded/command_bar_set.h"
#include "embedded/model/application.h"
#include "embedded/objects/host_context.h"
#include "embedded/objects/sheet_handle.h"
#include "embedded/runtime.h"
#include "host/application.h"
#include "host/constants.h"
#include "host/range.h"
#include "host/sheet.h"
#include "host/variant.h"

namespace tabulara::embedded {

// The embedded host as tests and the command line drive it: it builds
// workbooks, hands the add-in its Application, does what a user does
// (double-click, right-click, save) and shows what everything looks like.
//
// Building goes straight to the model: it ignores protection, and a
// mistake in it (an unknown sheet, a bad reference text, a sheet name the
// host refuses) throws std::invalid_argument. Cells are named by reference
// texts ("B2", "A1:C3,E5").
class EmbeddedHost {
 public:
  EmbeddedHost();
  // A host whose clipboard is the platform's.
  explicit EmbeddedHost(std::shared_ptr<Clipboard> clipboard);
  ~EmbeddedHost();
  EmbeddedHost(const EmbeddedHost&) = delete;
  EmbeddedHost& operator=(const EmbeddedHost&) = delete;

  // The host's parts: live references and subscriptions, armed failures.
  Runtime& runtime() const { return *context_->runtime; }
  const std::shared_ptr<Runtime>& shared_runtime() const { return context_->runtime; }
  Clipboard& clipboard() const { return *context_->clipboard; }
  CommandBarSet& commandBars() const { return context_->commandBars; }
  AddInList& addIns() const { return context_->addIns; }
  // Open workbooks, ScreenUpdating, EnableEvents, Cursor and their log.
  model::Application& model() const { return context_->application; }
  // How Sheets.Add reads a template file.
  void SetTemplateLoader(TemplateLoader loader);

  // A new reference to the Application, as the add-in receives it.
  host::Ref<host::Application> Application() const;

  // Workbooks. A new one has worksheets of the given names (its first
  // visible sheet active) and becomes the active workbook; its name
  // defaults to "Book1.xlsx", "Book2.xlsx" ...
  model::Workbook& NewWorkbook(const std::vector<std::string>& worksheetNames = {"Sheet1"},
                               const std::string& name = "");
  // Opens a workbook built elsewhere (a file reader) and makes it active.
  model::Workbook& Open(std::shared_ptr<model::Workbook> workbook);
  void Close(model::Workbook& workbook);
  model::Workbook& ActiveWorkbook() const;
  model::Workbook& WorkbookOf(const model::Sheet& sheet) const;

  // Sheets.
  model::Sheet& AddSheet(model::Workbook& workbook, const std::string& name,
                         model::SheetKind kind = model::SheetKind::Worksheet, int visibility = host::xlSheetVisible);
  // By name, without regard to case, in the active workbook or in `workbook`.
  model::Sheet& Sheet(std::string_view name) const;
  model::Sheet& Sheet(const model::Workbook& workbook, std::string_view name) const;
  // Tab order.
  std::vector<std::string> SheetNames(const model::Workbook& workbook) const;
  model::Sheet& ActiveSheet() const;
  // Makes a visible sheet active, and its workbook.
  void Activate(model::Sheet& sheet);
  void ProtectStructure(model::Workbook& workbook, bool on = true);
  void ProtectSheet(model::Sheet& sheet, bool scenarios = true, bool drawingObjects = true, bool contents = true);
  void UnprotectSheet(model::Sheet& sheet);

  // Cells. SetValue stores the value as it is given (a date in a date
  // format); TypeEntry stores what the host makes of text a user types.
  void SetValue(model::Sheet& sheet, std::string_view cells, const host::Variant& value);
  void TypeEntry(model::Sheet& sheet, std::string_view cells, std::string_view text);
  // A formula with its cached value (none: not yet calculated).
  void SetFormula(model::Sheet& sheet, std::string_view cells, const std::string& formula,
                  const host::Variant& cachedValue = {});
  void SetArrayFormula(model::Sheet& sheet, std::string_view range, const std::string& formula,
                       const host::Variant& cachedValue = {});
  // What a calculation gives a formula cell.
  void SetCachedValue(model::Sheet& sheet, std::string_view cells, const host::Variant& value);
  void SetFont(model::Sheet& sheet, std::string_view cells, const model::Font& font);
  void SetNumberFormat(model::Sheet& sheet, std::string_view cells, const std::string& format);
  void SetLocked(model::Sheet& sheet, std::string_view cells, bool locked);
  // Width in the file's unit (9.140625 is Excel's default 8.43 characters).
  void SetColumnWidth(model::Sheet& sheet, std::int32_t column, double width);
  void SetRowHeight(model::Sheet& sheet, std::int32_t row, double points);
  void HideColumn(model::Sheet& sheet, std::int32_t column, bool hidden = true);
  void HideRow(model::Sheet& sheet, std::int32_t row, bool hidden = true);

  host::Variant Value(const model::Sheet& sheet, std::string_view cell) const;
  std::optional<std::string> Formula(const model::Sheet& sheet, std::string_view cell) const;
  model::Font Font(const model::Sheet& sheet, std::string_view cell) const;
  std::string NumberFormat(const model::Sheet& sheet, std::string_view cell) const;

  // Drawing objects (named by the host's default when no name is given),
  // comments and hyperlinks.
  model::Shape& AddShape(model::Sheet& sheet, model::ShapeKind kind, const std::string& name = "");
  model::Comment& AddComment(model::Sheet& sheet, std::string_view cell, const std::string& text, bool visible = false);
  void AddHyperlink(model::Sheet& sheet, std::string_view anchor, const std::string& address,
                    const std::string& subAddress = "");
  // The first shape of that exact name, or null.
  model::Shape* FindShape(model::Sheet& sheet, std::string_view name) const;
  const model::Comment* FindComment(const model::Sheet& sheet, std::string_view cell) const;
  // In z-order.
  std::vector<std::string> ShapeNames(const model::Sheet& sheet) const;

  // Selection: areas with the active cell among them (the first cell when
  // not given), or a drawing object.
  void Select(model::Sheet& sheet, std::string_view areas, std::string_view activeCell = "");
  void SelectShape(model::Sheet& sheet, std::string_view shapeName);
  // What a user types in the Go To box: areas of one sheet, each maybe
  // behind its sheet's name ("Data!A1:C9", "'My sheet'!A1", "A1:B2,D4").
  // Activates the sheet named (else stays on the active sheet) and selects
  // the areas, `activeCell` (qualified the same way or not; the first cell
  // when empty) active.
  void GoTo(std::string_view reference, std::string_view activeCell = "");

  // What a user does on the active sheet of the active workbook. A
  // double-click selects the cell; a right-click selects it unless it lies
  // in the selection, and fits the cell context menu to the active cell. Each raises the application event to every
  // subscriber while events are enabled (only worksheets raise the sheet
  // events) and returns whether a handler cancelled the host's own action.
  bool DoubleClick(std::string_view cell);
  bool RightClick(std::string_view cell);
  // The moment before the workbook is written: raises WorkbookBeforeSave.
  bool BeforeSave(model::Workbook& workbook, bool saveAsUI = false);

 private:
  using CellEvent = void (host::Application::Events::*)(const host::Ref<host::Sheet>&, const host::Ref<host::Range>&,
                                                        bool&);
  // Raises a sheet event on a cell of a worksheet while events are enabled.
  bool RaiseCellEvent(model::Sheet& sheet, model::CellAddress cell, CellEvent event);
  SheetTarget Target(const model::Sheet& sheet) const;

  Context context_;
};

}  // namespace tabulara::embedded
