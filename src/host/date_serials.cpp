#include <cmath>
#include <ctime>
#include <string>

#include "host/conversion_details.h"
#include "host/conversions.h"

namespace tabulara::host {
namespace detail {
namespace {

// Days between 1 January 1970 and 30 December 1899.
constexpr long kSerialOfUnixEpoch = 25569;

long FloorDiv(long a, long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

// Days since 1 January 1970 of a date of the proleptic Gregorian calendar.
long DaysFromCivil(long year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const long era = FloorDiv(year, 400);
  const long yearOfEra = year - era * 400;
  const long dayOfYear = (153L * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(long days, int& year, int& month, int& day) {
  days += 719468;
  const long era = FloorDiv(days, 146097);
  const long dayOfEra = days - era * 146097;
  const long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long shiftedMonth = (5 * dayOfYear + 2) / 153;
  day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

std::string TimeToText(long seconds) {
  const long hours = seconds / 3600;
  const long minutes = seconds / 60 % 60;
  const long hour12 = hours % 12 == 0 ? 12 : hours % 12;
  auto twoDigits = [](long value) { return (value < 10 ? "0" : "") + std::to_string(value); };
  return std::to_string(hour12) + ":" + twoDigits(minutes) + ":" + twoDigits(seconds % 60) +
         (hours < 12 ? " AM" : " PM");
}

}  // namespace

// Cell entries ask for the year once a cell; the calendar is looked up at
// most once a second, since the C library reloads the time zone each time.
int CurrentYear() {
  thread_local std::time_t lookedUpAt = -1;
  thread_local int year = 0;
  const std::time_t now = std::time(nullptr);
  if (now != lookedUpAt) {
    year = std::localtime(&now)->tm_year + 1900;
    lookedUpAt = now;
  }
  return year;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

long DayNumber(int year, int month, int day) { return DaysFromCivil(year, month, day) + kSerialOfUnixEpoch; }

// m/d/yyyy, then h:mm:ss AM/PM when the serial has a time of day; a serial
// of day 0 shows its time only. The time counts forward from the start of
// the day also for serials before 30 December 1899.
std::string DateToText(Date date) {
  const double wholeDays = std::trunc(date.serial);
  const double fraction = std::fabs(date.serial - wholeDays);
  long days = static_cast<long>(wholeDays);
  long seconds = std::lround(fraction * 86400);
  if (seconds == 86400) {
    ++days;
    seconds = 0;
  }
  std::string text;
  if (wholeDays != 0) {
    int year = 0;
    int month = 0;
    int day = 0;
    CivilFromDays(days - kSerialOfUnixEpoch, year, month, day);
    text = std::to_string(month) + "/" + std::to_string(day) + "/" + std::to_string(year);
  }
  if (fraction != 0 || wholeDays == 0) {
    if (!text.empty()) text += ' ';
    text += TimeToText(seconds);
  }
  return text;
}

}  // namespace detail

Date DateFromCivil(int year, int month, int day) {
  const long monthIndex = static_cast<long>(year) * 12 + (month - 1);
  const long normalizedYear = detail::FloorDiv(monthIndex, 12);
  const int normalizedMonth = static_cast<int>(monthIndex - normalizedYear * 12) + 1;
  const long first = detail::DaysFromCivil(normalizedYear, normalizedMonth, 1) + detail::kSerialOfUnixEpoch;
  return Date{static_cast<double>(first + day - 1)};
}

void CivilFromDate(Date date, int& year, int& month, int& day) {
  const long days = static_cast<long>(std::trunc(date.serial));
  detail::CivilFromDays(days - detail::kSerialOfUnixEpoch, year, month, day);
}

}  // namespace tabulara::host
