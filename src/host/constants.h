#pragma once

namespace tabulara::host {

// Sheet visibility (XlSheetVisibility).
inline constexpr int xlSheetVisible = -1;
inline constexpr int xlSheetHidden = 0;
inline constexpr int xlSheetVeryHidden = 2;

// Application.Cursor (XlMousePointer).
inline constexpr int xlWait = 2;
inline constexpr int xlDefault = -4143;

// Range.SpecialCells.
inline constexpr int xlCellTypeFormulas = -4123;
inline constexpr int xlNumbers = 1;
inline constexpr int xlTextValues = 2;
inline constexpr int xlLogical = 4;
inline constexpr int xlErrors = 16;
inline constexpr int xlAllFormulaResults = xlNumbers | xlTextValues | xlLogical | xlErrors;

// Worksheet error values (CVErr codes).
inline constexpr int xlErrNull = 2000;
inline constexpr int xlErrDiv0 = 2007;
inline constexpr int xlErrValue = 2015;
inline constexpr int xlErrRef = 2023;
inline constexpr int xlErrName = 2029;
inline constexpr int xlErrNum = 2036;
inline constexpr int xlErrNA = 2042;

// Shape.Type (MsoShapeType).
inline constexpr int msoAutoShape = 1;
inline constexpr int msoChart = 3;
inline constexpr int msoGroup = 6;
inline constexpr int msoComment = 4;
inline constexpr int msoFormControl = 8;
inline constexpr int msoLine = 9;
inline constexpr int msoPicture = 13;
inline constexpr int msoTextBox = 17;

// Office truth values (MsoTriState).
inline constexpr int msoTrue = -1;
inline constexpr int msoFalse = 0;

// Line formats.
inline constexpr int msoLineSolid = 1;
inline constexpr int msoLineSingle = 1;

// Auto-shape types (MsoAutoShapeType) used by the add-in.
inline constexpr int msoShapeRectangle = 1;
inline constexpr int msoShapeRoundedRectangle = 5;
inline constexpr int msoShapeOctagon = 6;
inline constexpr int msoShapeCross = 11;
inline constexpr int msoShapeFoldedCorner = 16;
inline constexpr int msoShapeHeart = 21;
inline constexpr int msoShapePlaque = 28;
inline constexpr int msoShapeFlowchartMultidocument = 68;
inline constexpr int msoShape24pointStar = 95;
inline constexpr int msoShapeWave = 103;
inline constexpr int msoShapeDoubleWave = 104;

// Command bars.
inline constexpr int msoControlButton = 1;
inline constexpr int msoControlPopup = 10;
inline constexpr int msoBarNoProtection = 0;
inline constexpr int msoBarNoCustomize = 1;
inline constexpr int msoButtonIconAndCaption = 3;
// The Id of every control an add-in creates.
inline constexpr int kCustomControlId = 1;
// The built-in "Format Cells..." control of the "Cell" context menu.
inline constexpr int kFormatCellsControlId = 855;

// IDTExtensibility2 connect modes.
inline constexpr int ext_cm_AfterStartup = 0;
inline constexpr int ext_cm_Startup = 1;

// IDTExtensibility2 disconnect modes.
inline constexpr int ext_dm_HostShutdown = 0;
inline constexpr int ext_dm_UserClosed = 1;

}  // namespace tabulara::host
