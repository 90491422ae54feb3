#pragma once

#include "platform/config_view.h"

namespace tabulara::settings {

inline constexpr const char* kGeneralSection = "GeneralSetting";
inline constexpr const char* kFontSection = "FontSetting";

// The catalogue key of each control's caption.
struct ConfigCaption {
  platform::ConfigControl control;
  const char* key;
};
inline constexpr ConfigCaption kConfigCaptions[] = {
    {platform::ConfigControl::Form, "lang068"},          {platform::ConfigControl::TabGeneral, "lang070"},
    {platform::ConfigControl::TabFont, "lang071"},       {platform::ConfigControl::chkCommentStyle, "lang072"},
    {platform::ConfigControl::chkCellSpotter, "lang073"}, {platform::ConfigControl::chkFormula, "lang074"},
    {platform::ConfigControl::Label5, "lang075"},        {platform::ConfigControl::chkBeforeSave, "lang076"},
    {platform::ConfigControl::chkFontName, "lang077"},   {platform::ConfigControl::chkFontStyle, "lang078"},
    {platform::ConfigControl::chkFontSize, "lang079"},   {platform::ConfigControl::Frame1, "lang080"},
    {platform::ConfigControl::Label1, "lang081"},        {platform::ConfigControl::Label2, "lang082"},
    {platform::ConfigControl::Label3, "lang083"},        {platform::ConfigControl::Label4, "lang084"},
    {platform::ConfigControl::cmdOK, "lang085"},         {platform::ConfigControl::cmdCancel, "lang086"},
    {platform::ConfigControl::cmdApply, "lang087"},
};

// The check boxes, each with the setting it edits, stored "1" or "0".
struct CheckBoxSetting {
  platform::ConfigControl control;
  const char* section;
  const char* key;
};
inline constexpr CheckBoxSetting kGeneralCheckBoxes[] = {
    {platform::ConfigControl::chkCommentStyle, kGeneralSection, "CommentStyle"},
    {platform::ConfigControl::chkCellSpotter, kGeneralSection, "CellSpotter"},
    {platform::ConfigControl::chkFormula, kGeneralSection, "Formula"},
};
inline constexpr CheckBoxSetting kFontCheckBoxes[] = {
    {platform::ConfigControl::chkBeforeSave, kFontSection, "BeforeSave"},
    {platform::ConfigControl::chkFontName, kFontSection, "SameFontName"},
    {platform::ConfigControl::chkFontStyle, kFontSection, "SameFontStyle"},
    {platform::ConfigControl::chkFontSize, kFontSection, "SameFontSize"},
};

// The sizes the size box lists.
inline constexpr const char* kFontSizes[] = {"6",  "8",  "9",  "10", "11", "12", "14", "16", "18",
                                             "20", "22", "24", "26", "28", "36", "48", "72"};

}  // namespace tabulara::settings
