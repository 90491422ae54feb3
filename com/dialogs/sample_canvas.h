#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "com/dialogs/gdi.h"
#include "platform/config_view.h"

namespace tabulara::com::dialogs {

// The drawing area of the font sample: a bitmap the size of the area's
// inside that keeps what was printed on it, copied to the screen whenever
// the area is painted. Positions and sizes are in pixels.
class SampleCanvas {
 public:
  SampleCanvas(HWND area, const std::string& defaultFamily);
  SampleCanvas(const SampleCanvas&) = delete;
  SampleCanvas& operator=(const SampleCanvas&) = delete;

  void Clear();
  const platform::SampleFont& Font() const { return font_; }
  // Raises the host's "Invalid property value" for a size out of 1 to 2048.
  void SetFont(const platform::SampleFont& font);
  platform::Extent Size() const { return {static_cast<double>(width_), static_cast<double>(height_)}; }
  platform::Extent Measure(const std::string& text) const;
  void Print(double x, double y, const std::string& text);
  void Paint(HDC target) const;

 private:
  HWND area_;
  int width_ = 0;
  int height_ = 0;
  MemoryDc dc_;
  GdiObject<HBITMAP> bitmap_;
  std::optional<Selection> bitmapSelection_;
  platform::SampleFont font_;
  GdiObject<HFONT> fontObject_;
  std::optional<Selection> fontSelection_;
};

}  // namespace tabulara::com::dialogs
