#pragma once

#include <memory>
#include <string>
#include <vector>

#include "embedded/model/workbook.h"
#include "host/constants.h"

namespace tabulara::embedded::model {

// The application: its open workbooks and its settings.
struct Application {
  std::vector<std::shared_ptr<Workbook>> workbooks;
  std::weak_ptr<Workbook> activeWorkbook;

  bool screenUpdating = true;
  bool enableEvents = true;
  int cursor = host::xlDefault;
  // Every put of the three settings above, in order: "ScreenUpdating=False",
  // "EnableEvents=True", "Cursor=2".
  std::vector<std::string> settingsLog;
  // Set by Volatile: the worksheet function being calculated is volatile.
  bool volatileCalculation = false;
  // The number of the next new workbook's default name, "Book2.xlsx".
  int nextBookNumber = 1;

  std::shared_ptr<Workbook> ActiveWorkbook() const { return activeWorkbook.lock(); }
};

}  // namespace tabulara::embedded::model
