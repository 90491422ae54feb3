#include "embedded/calculation/engine.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <ixion/cell.hpp>
#include <ixion/formula.hpp>
#include <ixion/formula_result.hpp>
#include <ixion/formula_tokens.hpp>

#include "embedded/calculation/builtin_functions.h"
#include "embedded/calculation/call_site.h"
#include "embedded/calculation/engine_formula.h"
#include "embedded/calculation/formula_pieces.h"
#include "embedded/calculation/sheet_width.h"
#include "embedded/rules/cell_values.h"
#include "embedded/rules/number_formats.h"
#include "host/constants.h"

namespace tabulara::embedded::calculation {
namespace {

using ixion::abs_address_t;

constexpr int kMaximumPasses = 100;
constexpr ixion::row_t kRows = 1048576;
constexpr ixion::sheet_t kNoSheet = -1;

// A call to a function outside the engine: its value lives in a scratch
// cell that the formula refers to instead.
struct Call {
  std::string name;
  abs_address_t result;
  // The cells whose values are the arguments: a referenced cell itself, or
  // a scratch formula; none for an omitted argument.
  std::vector<std::optional<abs_address_t>> arguments;
  std::optional<std::vector<host::Variant>> lastArguments;
  // None while an argument is not known.
  std::optional<host::Variant> value;
};

struct Formula {
  abs_address_t position;
  // None for a call's argument.
  std::optional<FormulaSite> site;
  bool computable = true;
  // A comparison gives the value: the engine's 1 or 0 is TRUE or FALSE.
  bool logical = false;
  // A value known without the engine: #NAME? for a function no one has.
  std::optional<host::Variant> fixed;
  // The formula is just one call: its value is the call's.
  std::optional<std::size_t> wholeCall;
};

class Engine {
 public:
  Engine(const model::Workbook& workbook, CallableFunctions& functions, bool cachedValuesHold)
      : workbook_(workbook),
        functions_(functions),
        cachedValuesHold_(cachedValuesHold),
        context_(ixion::rc_size_t{kRows, SheetWidth(workbook)}),
        resolver_(ixion::formula_name_resolver::get(ixion::formula_name_resolver_t::excel_a1, &context_)) {}

  std::map<FormulaSite, std::optional<host::Variant>> Run() {
    Load();
    for (int pass = 0; pass < kMaximumPasses; ++pass) {
      if (Interpret()) continue;
      if (!RunCalls()) break;
    }
    return Results();
  }

 private:
  void Load() {
    for (const std::shared_ptr<model::Sheet>& sheet : workbook_.sheets) context_.append_sheet(sheet->name);
    std::string scratchName = "~calc";
    for (int suffix = 1; HasSheet(scratchName); ++suffix) scratchName = "~calc" + std::to_string(suffix);
    scratchSheet_ = context_.append_sheet(scratchName);
    std::vector<std::size_t> real;
    for (std::size_t index = 0; index < workbook_.sheets.size(); ++index) {
      const model::Sheet& sheet = *workbook_.sheets[index];
      if (sheet.kind != model::SheetKind::Worksheet) continue;
      for (const auto& [row, cells] : sheet.grid().rows) {
        for (const model::Cell& cell : cells.cells) {
          const model::CellAddress address{row, cell.column};
          const abs_address_t position(static_cast<ixion::sheet_t>(index), row - 1, cell.column - 1);
          if (!cell.hasFormula) {
            SetConstant(position, CellValue(workbook_, sheet.grid(), address));
            continue;
          }
          real.push_back(AddFormula(position, FormulaSite{index, address}));
        }
      }
    }
    if (!cachedValuesHold_) UnknownArrays();
    for (const std::size_t index : real) {
      const auto [sheetIndex, address] = *formulas_[index].site;
      const model::Grid& grid = workbook_.sheets[sheetIndex]->grid();
      const std::string* text = grid.Formula(address);
      if (text == nullptr || grid.ArrayAt(address) != nullptr || !Prepare(index, *text)) Demote(index);
    }
  }

  // The values of array formulas, which the engine does not compute.
  void UnknownArrays() {
    for (std::size_t index = 0; index < workbook_.sheets.size(); ++index) {
      for (const model::CellRect& array : workbook_.sheets[index]->grid().arrays) {
        for (std::int32_t row = array.top; row <= array.bottom; ++row) {
          for (std::int32_t column = array.left; column <= array.right; ++column) {
            unknown_.insert(abs_address_t(static_cast<ixion::sheet_t>(index), row - 1, column - 1));
          }
        }
      }
    }
  }

  std::size_t AddFormula(const abs_address_t& position, std::optional<FormulaSite> site) {
    formulas_.push_back({position, site, true, false, std::nullopt, std::nullopt});
    formulaAt_.emplace(position, formulas_.size() - 1);
    return formulas_.size() - 1;
  }

  // The formula of the workbook or of a call's argument at the cell.
  const Formula* FormulaAt(const abs_address_t& position) const {
    const auto found = formulaAt_.find(position);
    return found == formulaAt_.end() ? nullptr : &formulas_[found->second];
  }

  bool HasSheet(const std::string& name) const {
    return std::ranges::any_of(workbook_.sheets, [&](const auto& sheet) { return sheet->name == name; });
  }

  // Rewrites the formula's calls to outside functions into scratch cells,
  // checks that the engine computes the rest as the host does, and enters
  // it into the engine. False when it cannot.
  bool Prepare(std::size_t index, const std::string& text) {
    const abs_address_t position = formulas_[index].position;
    std::optional<std::vector<Piece>> parsed = ParsePieces(context_, *resolver_, position, text);
    if (!parsed) return false;
    std::vector<Piece> pieces = std::move(*parsed);
    std::optional<std::size_t> lastCall;
    for (std::size_t at = 0; at < pieces.size(); ++at) {
      const Piece& piece = pieces[at];
      if (piece.op != ixion::fop_function && piece.op != ixion::fop_named_expression) continue;
      if (!functions_.Has(piece.name)) continue;
      const std::optional<CallSite> site = FindCall(pieces, at);
      if (!site) return false;
      lastCall = AddCall(piece.name, pieces, *site);
      if (!lastCall) return false;
      Piece reference{ixion::fop_single_ref, ScratchReference(calls_[*lastCall].result, position), {}, {}};
      pieces.erase(pieces.begin() + static_cast<std::ptrdiff_t>(at),
                   pieces.begin() + static_cast<std::ptrdiff_t>(site->end));
      pieces.insert(pieces.begin() + static_cast<std::ptrdiff_t>(at), reference);
    }
    if (pieces.size() == 1 && lastCall) formulas_[index].wholeCall = lastCall;
    if (!Check(formulas_[index], pieces)) return false;
    return Enter(position, pieces.front().text);
  }

  std::optional<std::size_t> AddCall(const std::string& name, const std::vector<Piece>& pieces, const CallSite& site) {
    Call call{name, NewScratch(), {}, std::nullopt, std::nullopt};
    for (const auto& [first, last] : site.arguments) {
      if (first == last) {
        call.arguments.emplace_back();
      } else if (last == first + 1 && pieces[first].cell) {
        call.arguments.emplace_back(*pieces[first].cell);
      } else {
        const std::size_t argument = AddFormula(NewScratch(), std::nullopt);
        if (!Prepare(argument, JoinPieces(pieces, first, last))) return std::nullopt;
        call.arguments.emplace_back(formulas_[argument].position);
      }
    }
    context_.set_numeric_cell(call.result, 0);
    calls_.push_back(std::move(call));
    return calls_.size() - 1;
  }

  abs_address_t NewScratch() { return abs_address_t(scratchSheet_, nextScratchRow_++, 0); }

  std::string ScratchReference(const abs_address_t& cell, const abs_address_t& from) const {
    return resolver_->get_name(ixion::address_t(cell.sheet, cell.row, cell.column), from, true);
  }

  // Writes the formula for the engine; false when it cannot compute it.
  // A call of a function no one has gives #NAME?.
  bool Check(Formula& formula, std::vector<Piece>& pieces) const {
    for (std::size_t at = 0; at < pieces.size(); ++at) {
      if (pieces[at].op != ixion::fop_named_expression) continue;
      const bool called = at + 1 < pieces.size() && pieces[at + 1].op == ixion::fop_open;
      if (!called || IsBuiltinFunction(pieces[at].name)) return false;
      formula.fixed = host::ErrorValue{host::xlErrName};
      pieces = {Piece{ixion::fop_function, NameErrorFormula(), {}, {}}};
      return true;
    }
    const std::optional<EngineFormula> written =
        WriteForEngine(pieces, [this](const Piece& reference) { return Describe(reference); });
    if (!written) return false;
    formula.logical = written->logical;
    pieces = {Piece{ixion::fop_function, written->text, {}, {}}};
    return true;
  }

  // What a referenced cell of the workbook holds; a formula's value is not
  // known yet.
  ReferenceTraits Describe(const Piece& reference) const {
    if (!reference.cell || reference.cell->sheet < 0 || reference.cell->sheet >= scratchSheet_) return {};
    const model::Sheet& sheet = *workbook_.sheets[static_cast<std::size_t>(reference.cell->sheet)];
    const model::Cell* cell = sheet.grid().Find({reference.cell->row + 1, reference.cell->column + 1});
    if (cell == nullptr || (!cell->hasFormula && cell->kind == model::ValueKind::Empty)) return {false, true, true};
    if (cell->hasFormula) return {};
    if (cell->kind == model::ValueKind::Text) return {true, true, true};
    if (cell->kind == model::ValueKind::Number) return {false, true, PrintsAlike(cell->number)};
    return {};
  }

  static std::string NameErrorFormula() { return "NAMEERROR()"; }

  bool Enter(const abs_address_t& position, const std::string& text) {
    try {
      ixion::formula_tokens_t tokens = ixion::parse_formula_string(context_, position, *resolver_, text);
      context_.set_formula_cell(position, std::move(tokens));
      ixion::register_formula_cell(context_, position);
    } catch (const std::exception&) {
      return false;
    }
    engineCells_.insert(position);
    return true;
  }

  // The formula counts with the value the file gave it, or as unknown.
  void Demote(std::size_t index) {
    Formula& formula = formulas_[index];
    formula.computable = false;
    const abs_address_t position = formula.position;
    if (engineCells_.erase(position) > 0) ixion::unregister_formula_cell(context_, position);
    context_.empty_cell(position);
    if (formula.site && cachedValuesHold_) {
      const auto& [sheetIndex, address] = *formula.site;
      const host::Variant cached = CellValue(workbook_, workbook_.sheets[sheetIndex]->grid(), address);
      if (!cached.IsEmpty()) {
        SetConstant(position, cached);
        return;
      }
    }
    unknown_.insert(position);
  }

  void SetConstant(const abs_address_t& position, const host::Variant& value) {
    switch (value.kind()) {
      case host::Variant::Kind::Number:
        context_.set_numeric_cell(position, value.AsNumber());
        break;
      case host::Variant::Kind::Date:
        context_.set_numeric_cell(position, value.AsDate().serial);
        break;
      case host::Variant::Kind::Text:
        context_.set_string_cell(position, value.AsText());
        break;
      case host::Variant::Kind::Logical:
        context_.set_boolean_cell(position, value.AsLogical());
        special_.insert(position);
        break;
      case host::Variant::Kind::Error:
        errors_[position] = value.AsError().code;
        if (value.AsError().code == host::xlErrDiv0 && Enter(position, "1/0")) break;
        if (value.AsError().code == host::xlErrName && Enter(position, NameErrorFormula())) break;
        special_.insert(position);
        break;
      default:
        break;
    }
  }

  // One pass of the engine over every formula. True when formulas failed
  // in the engine and were demoted, so that the pass must run again.
  bool Interpret() {
    for (const abs_address_t& position : engineCells_) context_.get_formula_cell(position)->reset();
    ixion::abs_range_set_t all;
    for (const abs_address_t& position : engineCells_) all.insert(ixion::abs_range_t(position));
    ixion::abs_address_set_t failed;
    for (const ixion::abs_range_t& range : ixion::query_and_sort_dirty_cells(context_, {}, &all)) {
      try {
        context_.get_formula_cell(range.first)->interpret(context_, range.first);
      } catch (const std::exception&) {
        failed.insert(range.first);
      }
    }
    for (const Formula& formula : formulas_) {
      if (formula.computable && !formula.wholeCall && !ResultOf(formula)) failed.insert(formula.position);
    }
    return DemoteFailures(failed);
  }

  // Demotes the formulas that failed of themselves, not through another
  // that failed: those may compute once it has a value.
  bool DemoteFailures(const ixion::abs_address_set_t& failed) {
    const ixion::abs_address_set_t following = ixion::query_dirty_cells(context_, failed);
    bool demoted = false;
    for (const abs_address_t& position : failed) {
      const auto found = formulaAt_.find(position);
      if (following.contains(position) || found == formulaAt_.end() || !formulas_[found->second].computable) continue;
      Demote(found->second);
      demoted = true;
    }
    if (demoted || failed.empty()) return demoted;
    for (const abs_address_t& position : failed) {
      const auto found = formulaAt_.find(position);
      if (found == formulaAt_.end() || !formulas_[found->second].computable) continue;
      Demote(found->second);
      return true;
    }
    return false;
  }

  std::optional<host::Variant> ResultOf(const Formula& formula) const {
    if (formula.fixed) return formula.fixed;
    if (formula.wholeCall) return calls_[*formula.wholeCall].value;
    const ixion::formula_cell* cell = context_.get_formula_cell(formula.position);
    if (cell == nullptr) return std::nullopt;
    try {
      const ixion::formula_result result = cell->get_result_cache(ixion::formula_result_wait_policy_t::throw_exception);
      switch (result.get_type()) {
        case ixion::formula_result::result_type::value:
          if (!std::isfinite(result.get_value())) return std::nullopt;
          if (formula.logical) return host::Variant(result.get_value() != 0);
          return host::Variant(result.get_value());
        case ixion::formula_result::result_type::string:
          return host::Variant(result.get_string());
        case ixion::formula_result::result_type::error:
          return ErrorOf(result.get_error());
        default:
          return std::nullopt;
      }
    } catch (const std::exception&) {
      return std::nullopt;
    }
  }

  static std::optional<host::Variant> ErrorOf(ixion::formula_error_t error) {
    switch (error) {
      case ixion::formula_error_t::division_by_zero:
        return host::ErrorValue{host::xlErrDiv0};
      case ixion::formula_error_t::name_not_found:
        return host::ErrorValue{host::xlErrName};
      case ixion::formula_error_t::invalid_value_type:
        return host::ErrorValue{host::xlErrValue};
      default:
        return std::nullopt;
    }
  }

  // The value a call's argument takes from a cell; none while not known.
  std::optional<host::Variant> ValueAt(const abs_address_t& position, const ixion::abs_address_set_t& tainted) const {
    if (unknown_.contains(position) || tainted.contains(position)) return std::nullopt;
    if (const Formula* formula = FormulaAt(position); formula != nullptr && formula->computable) {
      return ResultOf(*formula);
    }
    if (const auto error = errors_.find(position); error != errors_.end()) return host::ErrorValue{error->second};
    switch (context_.get_celltype(position)) {
      case ixion::celltype_t::numeric:
        return host::Variant(context_.get_numeric_value(position));
      case ixion::celltype_t::string:
        return host::Variant(std::string(context_.get_string_value(position)));
      case ixion::celltype_t::boolean:
        return host::Variant(context_.get_boolean_value(position));
      default:
        return host::Variant();
    }
  }

  // A cell of the workbook with a date format: a function handed the cell
  // gets a date, as Range.Value gives it.
  bool ShowsDate(const abs_address_t& position) const {
    if (position.sheet < 0 || position.sheet >= scratchSheet_) return false;
    const model::Grid& grid = workbook_.sheets[static_cast<std::size_t>(position.sheet)]->grid();
    const std::uint32_t format = grid.FormatOf({position.row + 1, position.column + 1});
    return IsDateFormat(workbook_.formats.Get(format).numberFormat);
  }

  // Calls the outside functions whose arguments changed and stores their
  // values. True when a value changed, so that the engine must run again.
  bool RunCalls() {
    const ixion::abs_address_set_t tainted = ixion::query_dirty_cells(context_, unknown_);
    bool changed = false;
    for (Call& call : calls_) {
      std::optional<std::vector<host::Variant>> arguments = std::vector<host::Variant>{};
      for (const std::optional<abs_address_t>& argument : call.arguments) {
        std::optional<host::Variant> value = argument ? ValueAt(*argument, tainted) : host::Variant();
        if (value && value->IsNumber() && ShowsDate(*argument)) value = host::Variant(host::Date{value->AsNumber()});
        if (!value) {
          arguments.reset();
          break;
        }
        arguments->push_back(std::move(*value));
      }
      std::optional<host::Variant> value;
      if (arguments && arguments == call.lastArguments) {
        value = call.value;
      } else if (arguments) {
        value = functions_.Call(call.name, *arguments);
        if (value->IsEmpty()) value = host::Variant(0);
        call.lastArguments = std::move(arguments);
      }
      if (value == call.value && (value || unknown_.contains(call.result))) continue;
      call.value = value;
      StoreCallResult(call);
      changed = true;
    }
    return changed;
  }

  void StoreCallResult(const Call& call) {
    special_.erase(call.result);
    unknown_.erase(call.result);
    if (engineCells_.erase(call.result) > 0) ixion::unregister_formula_cell(context_, call.result);
    errors_.erase(call.result);
    context_.empty_cell(call.result);
    if (!call.value) {
      unknown_.insert(call.result);
    } else if (call.value->IsObject()) {
      errors_[call.result] = host::xlErrValue;
      special_.insert(call.result);
    } else {
      SetConstant(call.result, *call.value);
    }
  }

  std::map<FormulaSite, std::optional<host::Variant>> Results() {
    const ixion::abs_address_set_t unknown = ixion::query_dirty_cells(context_, unknown_);
    const ixion::abs_address_set_t special = ixion::query_dirty_cells(context_, special_);
    std::map<FormulaSite, std::optional<host::Variant>> results;
    for (const Formula& formula : formulas_) {
      if (!formula.site) continue;
      std::optional<host::Variant> value;
      const bool known = formula.computable && !unknown.contains(formula.position);
      const bool plain = formula.fixed || formula.wholeCall || !special.contains(formula.position);
      if (known && plain) value = ResultOf(formula);
      if (value && value->IsObject()) value = host::ErrorValue{host::xlErrValue};
      results.emplace(*formula.site, std::move(value));
    }
    return results;
  }

  const model::Workbook& workbook_;
  CallableFunctions& functions_;
  bool cachedValuesHold_;
  ixion::model_context context_;
  std::unique_ptr<ixion::formula_name_resolver> resolver_;
  ixion::sheet_t scratchSheet_ = kNoSheet;
  ixion::row_t nextScratchRow_ = 0;
  std::vector<Formula> formulas_;
  std::unordered_map<abs_address_t, std::size_t, abs_address_t::hash> formulaAt_;
  std::vector<Call> calls_;
  ixion::abs_address_set_t engineCells_;
  // Cells whose value is not known.
  ixion::abs_address_set_t unknown_;
  // Cells holding a logical or error value, which the engine does not carry
  // as the host does.
  ixion::abs_address_set_t special_;
  std::unordered_map<abs_address_t, int, abs_address_t::hash> errors_;
};

}  // namespace

std::map<FormulaSite, std::optional<host::Variant>> CalculateWorkbook(const model::Workbook& workbook,
                                                                      CallableFunctions& functions,
                                                                      bool cachedValuesHold) {
  try {
    return Engine(workbook, functions, cachedValuesHold).Run();
  } catch (const std::exception&) {
    // The engine refused the workbook itself: it computes none of its formulas.
    std::map<FormulaSite, std::optional<host::Variant>> nothing;
    for (std::size_t index = 0; index < workbook.sheets.size(); ++index) {
      for (const auto& [row, cells] : workbook.sheets[index]->grid().rows) {
        for (const model::Cell& cell : cells.cells) {
          if (cell.hasFormula) nothing.emplace(FormulaSite{index, {row, cell.column}}, std::nullopt);
        }
      }
    }
    return nothing;
  }
}

}  // namespace tabulara::embedded::calculation
