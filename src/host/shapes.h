#pragma once

#include <cstdint>
#include <string>

#include "host/object.h"

namespace tabulara::host {

class ColorFormat : public Object {
 public:
  virtual void SchemeColor(int index) = 0;
  // 0x00BBGGRR.
  virtual void RGB(std::int32_t color) = 0;
};

class LineFormat : public Object {
 public:
  virtual void Weight(float points) = 0;
  virtual void DashStyle(int style) = 0;
  virtual void Style(int style) = 0;
  virtual void Transparency(float transparency) = 0;
  // msoTrue or msoFalse.
  virtual void Visible(int visible) = 0;
  virtual Ref<ColorFormat> ForeColor() = 0;
  virtual Ref<ColorFormat> BackColor() = 0;
};

class ControlFormat : public Object {
 public:
  virtual void PrintObject(bool print) = 0;
};

class Shape : public Object {
 public:
  virtual std::string Name() = 0;
  virtual void Name(const std::string& name) = 0;
  // msoComment for the box of a cell comment.
  virtual int Type() = 0;
  virtual void Delete() = 0;
  virtual void AutoShapeType(int type) = 0;
  virtual Ref<host::ControlFormat> ControlFormat() = 0;
  virtual Ref<LineFormat> Line() = 0;
};

class Shapes : public Object {
 public:
  using ItemType = Shape;

  virtual std::unique_ptr<Enumerator<Shape>> NewEnum() = 0;
  virtual Ref<Shape> AddLine(float beginX, float beginY, float endX, float endY) = 0;
};

class Comment : public Object {
 public:
  virtual void Visible(bool visible) = 0;
  virtual Ref<host::Shape> Shape() = 0;
};

}  // namespace tabulara::host
