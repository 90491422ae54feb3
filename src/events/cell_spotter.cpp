#include <array>
#include <string>

#include "addin/excel_events.h"
#include "addin/report_error.h"
#include "commands/active_workbook.h"
#include "commands/sheet_shapes.h"
#include "host/conversions.h"
#include "settings/user_settings.h"

namespace tabulara::addin {
namespace {

// The spotter's lines, found again by these names only.
constexpr std::array<const char*, 4> kLineNames = {"Quorv@elLine1", "Quorv@elLine2", "Quorv@elLine3",
                                                   "Quorv@elLine4"};
// How far the lines run: in cell widths to the right, in cell heights down.
constexpr double kWidthsAcross = 10000;
constexpr double kHeightsDown = 70000;
constexpr int kSchemeRed = 10;
constexpr std::int32_t kWhite = 0xFFFFFF;

bool IsSpotterLine(const std::string& name) {
  for (const char* line : kLineNames) {
    if (name == line) return true;
  }
  return false;
}

void FormatLine(const host::Ref<host::Shape>& line, const char* name) {
  line->Name(name);
  line->ControlFormat()->PrintObject(false);
  const host::Ref<host::LineFormat> format = line->Line();
  format->Weight(1.5F);
  format->DashStyle(host::msoLineSolid);
  format->Style(host::msoLineSingle);
  format->Transparency(0);
  format->Visible(host::msoTrue);
  format->ForeColor()->SchemeColor(kSchemeRed);
  format->BackColor()->RGB(kWhite);
}

}  // namespace

void ExcelEvents::btnSpotter_Click(const Button&, bool&) { DrawCellSpotter(); }

void ExcelEvents::btnClearSpotter_Click(const Button&, bool&) {
  try {
    const auto active = commands::ActiveWorkbook(Application())->ActiveSheet();
    if (!active) return;
    if (const auto sheet = std::dynamic_pointer_cast<host::Worksheet>(*active)) ClearCellSpotter(sheet);
  } catch (const host::HostError& error) {
    ReportError(error.Description());
  }
}

void ExcelEvents::SheetBeforeDoubleClick(const host::Ref<host::Sheet>& sh, const host::Ref<host::Range>&,
                                         bool& cancel) {
  if (!settings::ReadSettingFlag("GeneralSetting", "CellSpotter", 0)) return;
  if (!std::dynamic_pointer_cast<host::Worksheet>(sh)) return;
  Application()->ScreenUpdating(false);
  DrawCellSpotter();
  Application()->ScreenUpdating(true);
  cancel = true;
}

void ExcelEvents::DrawCellSpotter() {
  const host::Maybe<host::Range> cell = Application()->ActiveCell();
  if (!cell) return;
  const host::Ref<host::Worksheet> sheet = (*cell)->Worksheet();
  try {
    const double left = (*cell)->Left();
    const double top = (*cell)->Top();
    const double width = (*cell)->Width();
    const double height = (*cell)->Height();
    ClearCellSpotter(sheet);
    const std::array<std::array<double, 4>, 4> lines = {{
        {0, top, width * kWidthsAcross, top},
        {0, top + height, width * kWidthsAcross, top + height},
        {left, 0, left, height * kHeightsDown},
        {left + width, 0, left + width, height * kHeightsDown},
    }};
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const auto& [beginX, beginY, endX, endY] = lines[i];
      const host::Ref<host::Shape> line = sheet->Shapes()->AddLine(
          host::ToSingle(beginX), host::ToSingle(beginY), host::ToSingle(endX), host::ToSingle(endY));
      FormatLine(line, kLineNames[i]);
    }
  } catch (const host::HostError&) {
    // A protected sheet or a refused shape ends the drawing without a word.
  }
}

void ExcelEvents::ClearCellSpotter(const host::Ref<host::Worksheet>& sheet) {
  for (const auto& shape : commands::ShapesOf(sheet)) {
    if (IsSpotterLine(shape->Name())) shape->Delete();
  }
}

}  // namespace tabulara::addin
