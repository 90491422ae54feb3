#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "embedded/embedded_host.h"
#include "host/host.h"

namespace tabulara::embedded {

// Matches a call that raises the host error `number` with exactly
// `description`.
inline auto RaisesHostError(long number, const std::string& description) {
  return ::testing::Throws<host::HostError>(
      ::testing::AllOf(::testing::Property(&host::HostError::Number, number),
                       ::testing::Property(&host::HostError::Description, description)));
}

// Matches a call that raises the host error `number`.
inline auto RaisesHostError(long number) {
  return ::testing::Throws<host::HostError>(::testing::Property(&host::HostError::Number, number));
}

template <class T, class From>
host::Ref<T> As(const host::Ref<From>& reference) {
  host::Ref<T> cast = std::dynamic_pointer_cast<T>(reference);
  if (!cast) throw std::logic_error("the reference is of another kind");
  return cast;
}

// An embedded host with one open workbook "Book1.xlsx" holding worksheets
// Sheet1 to Sheet3, Sheet1 active, as a new workbook in the host.
class WorkbookTest : public ::testing::Test {
 protected:
  host::Ref<host::Application> App() { return host.Application(); }
  host::Ref<host::Workbook> ActiveWorkbook() { return *App()->ActiveWorkbook(); }
  host::Ref<host::Sheet> SheetRef(const std::string& name) { return ActiveWorkbook()->Sheets()->Item(name); }
  host::Ref<host::Worksheet> WorksheetRef(const std::string& name) { return As<host::Worksheet>(SheetRef(name)); }
  host::Ref<host::Range> RangeRef(const std::string& sheet, const std::string& reference) {
    return WorksheetRef(sheet)->Range(reference);
  }

  EmbeddedHost host;
  model::Workbook& book = host.NewWorkbook({"Sheet1", "Sheet2", "Sheet3"});
  model::Sheet& sheet1 = host.Sheet("Sheet1");
};

}  // namespace tabulara::embedded
