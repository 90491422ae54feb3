#pragma once

namespace tabulara::embedded::calculation {

// The C library's local date and time as the host's serial number: days
// since 30 December 1899, the time of day as the fraction.
double NowSerial();

}  // namespace tabulara::embedded::calculation
