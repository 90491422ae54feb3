#pragma once

#include <oaidl.h>

#include "host/variant.h"

namespace tabulara::com {

// A value variant (not by reference, not an object) as the add-in reads it.
host::Variant PlainValue(const VARIANT& value);

// An argument the host passes to a worksheet function: a reference (a cell
// range, an object) is reduced to its value; kinds the add-in has no value
// for (arrays, objects without a value) read as empty.
host::Variant ArgumentValue(const VARIANT& argument);

// A result for the host; an error value is VT_ERROR with the host's code.
// Raises a type mismatch for an object.
void ToVariant(const host::Variant& value, VARIANT* result);

}  // namespace tabulara::com
