#include "functions/formula.h"

#include <cstdint>
#include <optional>

#include "addin/excel_events.h"
#include "addin/globals.h"
#include "host/constants.h"
#include "host/conversions.h"
#include "host/host_error.h"
#include "host/range.h"
#include "platform/platform.h"

namespace tabulara::functions {
namespace {

// What the date test sees: a cell reference reduced to the cell's value.
host::Variant ArgumentValue(const host::Variant& argument) {
  if (!argument.IsObject()) return argument;
  const auto range = std::dynamic_pointer_cast<host::Range>(argument.AsObject());
  return range ? range->Value() : host::Variant();
}

std::optional<host::Date> DateOf(const host::Variant& value) {
  if (value.IsDate()) return value.AsDate();
  if (value.IsText()) return host::ParseDate(value.AsText());
  return std::nullopt;
}

int YearOf(host::Date date) {
  int year = 0;
  int month = 0;
  int day = 0;
  host::CivilFromDate(date, year, month, day);
  return year;
}

}  // namespace

host::Variant Formula::Age(const host::Variant& birthday) {
  std::optional<host::Date> date;
  try {
    date = DateOf(ArgumentValue(birthday));
  } catch (const host::HostError&) {
  }
  if (!date) return host::ErrorValue{host::xlErrValue};
  const std::int32_t years = YearOf(platform::Current().Today()) - YearOf(*date);
  return years;
}

host::Variant Formula::NonStaticRand() {
  if (!addin::gExcelEvents) throw host::ObjectVariableNotSet();
  addin::gExcelEvents->Application()->Volatile(true);
  return static_cast<double>(platform::Current().Rnd());
}

}  // namespace tabulara::functions
