#include "embedded/calculation/clock.h"

#include <chrono>
#include <ctime>

namespace tabulara::embedded::calculation {

double NowSerial() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  const std::chrono::year_month_day date{std::chrono::year{local.tm_year + 1900},
                                         std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                         std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
  constexpr std::chrono::sys_days kEpoch = std::chrono::year{1899} / std::chrono::December / 30;
  const double days = static_cast<double>((std::chrono::sys_days{date} - kEpoch).count());
  return days + (local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec) / 86400.0;
}

}  // namespace tabulara::embedded::calculation
