#include <array>

#include "addin/excel_events.h"
#include "addin/globals.h"
#include "addin/report_error.h"
#include "settings/user_settings.h"

namespace tabulara::addin {
namespace {

// The built-in control the pop-up goes in front of: Format Cells.
constexpr int kFormatCellsId = 855;
constexpr std::array<int, 10> kStyleFaces = {1115, 1116, 1121, 1123, 1141, 1185, 1197, 1205, 1250, 2639};
constexpr std::array<const char*, 10> kStyleCaptions = {"lang027", "lang028", "lang029", "lang030", "lang031",
                                                        "lang032", "lang033", "lang034", "lang035", "lang036"};

}  // namespace

host::Ref<host::CommandBar> ExcelEvents::CellMenuBar() { return cmdBars->Item("Cell"); }

void ExcelEvents::BuildCommentMenu() {
  const auto cellBar = CellMenuBar();
  commentPopup = AsPopup(cellBar->FindControl(host::msoControlPopup, host::kCustomControlId, kCommentPopupTag));
  if (commentPopup) (*commentPopup)->Delete();

  const auto formatCells = cellBar->FindControl(std::nullopt, kFormatCellsId);
  if (!formatCells) throw host::ObjectVariableNotSet();
  const std::int32_t before = (*formatCells)->Index();
  commentPopup = AsPopup(cellBar->Controls()->Add(host::msoControlPopup, std::nullopt, std::nullopt, before, true));
  const auto popup = *commentPopup;
  popup->Caption(Message("lang002"));
  popup->Tag(kCommentPopupTag);

  const std::array<host::ButtonWithEvents*, 10> buttons = {&btnComStyle1, &btnComStyle2, &btnComStyle3, &btnComStyle4,
                                                           &btnComStyle5, &btnComStyle6, &btnComStyle7, &btnComStyle8,
                                                           &btnComStyle9, &btnComStyle10};
  for (std::size_t item = 0; item < buttons.size(); ++item) {
    host::ButtonWithEvents& button = *buttons[item];
    button = AsButton(popup->Controls()->Add(host::msoControlButton));
    button->Style(host::msoButtonIconAndCaption);
    button->Caption(Message(kStyleCaptions[item]));
    button->FaceId(kStyleFaces[item]);
  }
}

void ExcelEvents::btnComStyle1_Click(const Button&, bool&) { ApplyCommentStyle(host::msoShapeRoundedRectangle); }
void ExcelEvents::btnComStyle2_Click(const Button&, bool&) { ApplyCommentStyle(host::msoShapeOctagon); }
void ExcelEvents::btnComStyle3_Click(const Button&, bool&) { ApplyCommentStyle(host::msoShapeCross); }
void ExcelEvents::btnComStyle4_Click(const Button&, bool&) { ApplyCommentStyle(host::msoShapePlaque); }
void ExcelEvents::btnComStyle5_Click(const Button&, bool&) { ApplyCommentStyle(host::msoShapeHeart); }
void ExcelEvents::btnComStyle6_Click(const Button&, bool&) { ApplyCommentStyle(host::msoShape24pointStar); }
void ExcelEvents::btnComStyle7_Click(const Button&, bool&) { ApplyCommentStyle(host::msoShapeFlowchartMultidocument); }
void ExcelEvents::btnComStyle8_Click(const Button&, bool&) { ApplyCommentStyle(host::msoShapeWave); }
void ExcelEvents::btnComStyle9_Click(const Button&, bool&) { ApplyCommentStyle(host::msoShapeFoldedCorner); }
void ExcelEvents::btnComStyle10_Click(const Button&, bool&) { ApplyCommentStyle(host::msoShapeDoubleWave); }

// The pop-up shows only while the setting is on and the active cell has a
// comment; the host's context menu always shows.
void ExcelEvents::SheetBeforeRightClick(const host::Ref<host::Sheet>&, const host::Ref<host::Range>&, bool&) {
  try {
    const bool enabled = settings::ReadSettingFlag("GeneralSetting", "CommentStyle", 0);
    const host::Maybe<host::Range> cell = Application()->ActiveCell();
    if (!cell) return;
    const auto popup = CellMenuBar()->FindControl(host::msoControlPopup, host::kCustomControlId, kCommentPopupTag);
    if (!popup) return;
    const bool hasComment = (*cell)->Comment().has_value();
    (*popup)->Visible(enabled && hasComment);
  } catch (const host::HostError&) {
    // The pop-up keeps its last visibility.
  }
}

// Reshapes the active cell's comment box; the comment is hidden afterwards.
void ExcelEvents::ApplyCommentStyle(int shapeType) {
  try {
    const host::Maybe<host::Range> cell = Application()->ActiveCell();
    if (!cell) return;
    const host::Maybe<host::Comment> comment = (*cell)->Comment();
    if (!comment) return;
    Application()->ScreenUpdating(false);
    (*comment)->Visible(true);
    (*comment)->Shape()->AutoShapeType(shapeType);
    (*comment)->Visible(false);
    Application()->ScreenUpdating(true);
  } catch (const host::HostError& error) {
    Application()->ScreenUpdating(true);
    ReportError(error.Description());
  }
}

}  // namespace tabulara::addin
