#include "host/conversions.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "host/conversion_details.h"
#include "host/host_error.h"

namespace tabulara::host {
namespace {

// Halves go to the even neighbour.
double RoundHalfEven(double value) {
  const double floor = std::floor(value);
  const double rest = value - floor;
  if (rest > 0.5) return floor + 1;
  if (rest < 0.5) return floor;
  return std::fmod(floor, 2) == 0 ? floor : floor + 1;
}

int ToInt16(double value) {
  const double rounded = RoundHalfEven(value);
  if (!(rounded >= -32768 && rounded <= 32767)) throw Overflow();
  return static_cast<int>(rounded);
}

double NumberOf(const detail::NumberReading& reading) {
  if (reading.outcome == detail::Outcome::Overflow) throw Overflow();
  if (reading.outcome == detail::Outcome::NotANumber) throw TypeMismatch();
  return reading.value;
}

}  // namespace

std::string ToText(const Variant& value) {
  switch (value.kind()) {
    case Variant::Kind::Empty:
      return "";
    case Variant::Kind::Number:
      return NumberToText(value.AsNumber());
    case Variant::Kind::Text:
      return value.AsText();
    case Variant::Kind::Logical:
      return value.AsLogical() ? "True" : "False";
    case Variant::Kind::Date:
      return detail::DateToText(value.AsDate());
    case Variant::Kind::Error:
      return "Error " + std::to_string(value.AsError().code);
    case Variant::Kind::Object:
      break;
  }
  throw TypeMismatch();
}

bool ToLogical(const Variant& value) {
  switch (value.kind()) {
    case Variant::Kind::Empty:
      return false;
    case Variant::Kind::Number:
      return value.AsNumber() != 0;
    case Variant::Kind::Logical:
      return value.AsLogical();
    case Variant::Kind::Date:
      return value.AsDate().serial != 0;
    case Variant::Kind::Text:
      if (detail::EqualsIgnoringCase(value.AsText(), "true")) return true;
      if (detail::EqualsIgnoringCase(value.AsText(), "false")) return false;
      return NumberOf(detail::ReadNumber(value.AsText())) != 0;
    case Variant::Kind::Error:
    case Variant::Kind::Object:
      break;
  }
  throw TypeMismatch();
}

int ToInteger(const Variant& value) {
  switch (value.kind()) {
    case Variant::Kind::Empty:
      return 0;
    case Variant::Kind::Number:
      return ToInt16(value.AsNumber());
    case Variant::Kind::Logical:
      return value.AsLogical() ? -1 : 0;
    case Variant::Kind::Date:
      return ToInt16(value.AsDate().serial);
    case Variant::Kind::Text: {
      // "&HFFFF" is -1: hexadecimal and octal digits spell the bits.
      const detail::NumberReading reading = detail::ReadNumber(value.AsText());
      if (reading.radixBits && *reading.radixBits <= 0xFFFF) return static_cast<std::int16_t>(*reading.radixBits);
      return ToInt16(NumberOf(reading));
    }
    case Variant::Kind::Error:
    case Variant::Kind::Object:
      break;
  }
  throw TypeMismatch();
}

float ToSingle(double number) {
  if (!(std::fabs(number) <= std::numeric_limits<float>::max())) throw Overflow();
  return static_cast<float>(number);
}

}  // namespace tabulara::host
