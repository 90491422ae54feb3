#pragma once

#include <cstdint>
#include <string>

#include "host/object.h"
#include "host/variant.h"

namespace tabulara::host {

class Comment;
class Worksheet;

class Font : public Object {
 public:
  virtual void Name(const std::string& name) = 0;
  virtual void Bold(bool bold) = 0;
  virtual void Italic(bool italic) = 0;
  virtual void Size(double points) = 0;
};

class Range : public Object {
 public:
  using ItemType = Range;

  virtual std::int64_t Count() = 0;
  // Every cell, area by area, row by row.
  virtual std::unique_ptr<Enumerator<Range>> NewEnum() = 0;
  // The value of the first cell; Empty for an empty cell.
  virtual Variant Value() = 0;
  // Every cell takes the value. A text is read as the host reads text typed
  // into a cell.
  virtual void Value(const Variant& value) = 0;
  // True when every cell holds a formula.
  virtual bool HasFormula() = 0;
  // True when every cell is part of an array formula.
  virtual bool HasArray() = 0;
  virtual void Clear() = 0;
  // Raises 1004 "No cells were found." when nothing matches.
  virtual Ref<Range> SpecialCells(int type, int value) = 0;
  virtual Ref<host::Font> Font() = 0;
  // "$A$1"; with `external`, "[Book1.xlsx]Sheet1!$A$1", the sheet name
  // quoted where it needs quotes.
  virtual std::string Address(bool external = false) = 0;
  virtual Ref<host::Worksheet> Worksheet() = 0;
  // Geometry of the first area in points.
  virtual double Left() = 0;
  virtual double Top() = 0;
  virtual double Width() = 0;
  virtual double Height() = 0;
  virtual Maybe<host::Comment> Comment() = 0;
};

}  // namespace tabulara::host
