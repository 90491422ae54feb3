#pragma once

#include <string>

#include "host/object.h"

namespace tabulara::host {

class Hyperlinks;
class Range;
class Shapes;

// A sheet of any kind. A worksheet is a Worksheet; test with
// std::dynamic_pointer_cast<Worksheet>.
class Sheet : public Object {
 public:
  virtual std::string Name() = 0;
  virtual void Name(const std::string& name) = 0;
  // xlSheetVisible, xlSheetHidden or xlSheetVeryHidden.
  virtual int Visible() = 0;
  virtual void Visible(int visibility) = 0;
  virtual void Move(const Ref<Sheet>& before) = 0;
  virtual void Activate() = 0;
};

class Worksheet : public Sheet {
 public:
  // The sheet's scenario-protection flag; true only while the sheet is
  // protected with scenarios protected.
  virtual bool ProtectScenarios() = 0;
  virtual Ref<host::Shapes> Shapes() = 0;
  virtual Ref<host::Hyperlinks> Hyperlinks() = 0;
  virtual Ref<host::Range> Cells() = 0;
  // A range from a reference text such as "A1" or "B2:C4,E5".
  virtual Ref<host::Range> Range(const std::string& reference) = 0;
  virtual void Calculate() = 0;
};

}  // namespace tabulara::host
