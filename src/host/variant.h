#pragma once

#include <string>
#include <variant>

#include "host/object.h"

namespace tabulara::host {

// A date as the host keeps it: days since 30 December 1899, the time of day
// as the fraction.
struct Date {
  double serial = 0;
  friend bool operator==(const Date&, const Date&) = default;
};

// A worksheet error value (#VALUE! is 2015).
struct ErrorValue {
  int code = 0;
  friend bool operator==(const ErrorValue&, const ErrorValue&) = default;
};

// A value passed to or read from the host.
class Variant {
 public:
  enum class Kind { Empty, Number, Text, Logical, Date, Error, Object };

  Variant() = default;
  Variant(double number) : value_(number) {}
  Variant(int number) : value_(static_cast<double>(number)) {}
  Variant(long number) : value_(static_cast<double>(number)) {}
  Variant(long long number) : value_(static_cast<double>(number)) {}
  Variant(std::string text) : value_(std::move(text)) {}
  Variant(const char* text) : value_(std::string(text)) {}
  Variant(bool logical) : value_(logical) {}
  Variant(Date date) : value_(date) {}
  Variant(ErrorValue error) : value_(error) {}
  Variant(Ref<Object> object) : value_(std::move(object)) {}

  Kind kind() const { return static_cast<Kind>(value_.index()); }
  bool IsEmpty() const { return kind() == Kind::Empty; }
  bool IsNumber() const { return kind() == Kind::Number; }
  bool IsText() const { return kind() == Kind::Text; }
  bool IsLogical() const { return kind() == Kind::Logical; }
  bool IsDate() const { return kind() == Kind::Date; }
  bool IsError() const { return kind() == Kind::Error; }
  bool IsObject() const { return kind() == Kind::Object; }

  double AsNumber() const { return std::get<double>(value_); }
  const std::string& AsText() const { return std::get<std::string>(value_); }
  bool AsLogical() const { return std::get<bool>(value_); }
  host::Date AsDate() const { return std::get<host::Date>(value_); }
  ErrorValue AsError() const { return std::get<ErrorValue>(value_); }
  const Ref<host::Object>& AsObject() const { return std::get<Ref<host::Object>>(value_); }

  friend bool operator==(const Variant&, const Variant&) = default;

 private:
  std::variant<std::monostate, double, std::string, bool, host::Date, ErrorValue, Ref<host::Object>> value_;
};

}  // namespace tabulara::host
