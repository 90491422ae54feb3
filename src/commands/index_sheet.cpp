#include <exception>
#include <string>

#include "addin/excel_events.h"
#include "addin/globals.h"
#include "addin/message_box.h"
#include "addin/report_error.h"
#include "commands/active_workbook.h"
#include "platform/platform.h"

namespace tabulara::addin {
namespace {

// Writes a catalogue text into a cell, as a heading when asked.
void WriteText(const host::Ref<host::Range>& cell, const std::string& key, bool heading) {
  cell->Value(Message(key));
  if (!heading) return;
  const auto font = cell->Font();
  font->Bold(true);
  font->Size(16);
}

// Shows why the index is not built when a sheet already bears its name.
bool RefuseExistingIndex(const host::Ref<host::Workbook>& workbook, const std::string& indexName) {
  auto& platform = platform::Current();
  const std::string wanted = platform.UpperCase(indexName);
  for (const auto& sheet : host::Each(workbook->Sheets())) {
    if (platform.UpperCase(sheet->Name()) != wanted) continue;
    const char* key = sheet->Visible() == host::xlSheetVisible ? "lang049" : "lang050";
    ShowMessage(Message(key, {indexName}), platform::vbInformation);
    return true;
  }
  return false;
}

}  // namespace

void ExcelEvents::btnIndex_Click(const Button&, bool&) {
  const std::string indexName = Message("lang059");
  try {
    const auto workbook = commands::ActiveWorkbook(Application());
    if (RefuseExistingIndex(workbook, indexName)) return;

    Application()->ScreenUpdating(false);
    const auto worksheets = workbook->Worksheets();
    const auto index = std::dynamic_pointer_cast<host::Worksheet>(worksheets->Add(worksheets->Item(1)));
    if (!index) throw host::TypeMismatch();
    index->Name(indexName);
    WriteText(index->Range("A1"), "lang054", true);
    WriteText(index->Range("A2"), "lang055", false);

    int row = 5;
    for (const auto& sheet : host::Each(workbook->Sheets())) {
      const auto listed = std::dynamic_pointer_cast<host::Worksheet>(sheet);
      if (!listed || listed->Name() == indexName || listed->Visible() != host::xlSheetVisible) continue;
      const auto cell = index->Range("A" + std::to_string(row));
      cell->Value(listed->Name());
      index->Hyperlinks()->Add(cell, "", listed->Range("A1")->Address(true));
      WriteText(index->Range("B" + std::to_string(row)), "lang056", false);
      ++row;
    }
    WriteText(index->Range("A" + std::to_string(row + 3)), "lang057", true);
    WriteText(index->Range("A" + std::to_string(row + 4)), "lang058", false);
    Application()->ScreenUpdating(true);
  } catch (const std::exception& error) {
    Application()->ScreenUpdating(true);
    ReportError(error.what());
  }
}

}  // namespace tabulara::addin
