#include "com/dialogs/sample_canvas.h"

#include <cmath>

#include "host/host_error.h"
#include "platform/win32/text_encoding.h"

namespace tabulara::com::dialogs {
namespace {

using platform::win32::Widen;

// The sizes a drawing area takes, in points; the default size.
constexpr int kLargestFontSize = 2048;
constexpr int kDefaultFontSize = 8;
constexpr int kInvalidPropertyValue = 380;

}  // namespace

SampleCanvas::SampleCanvas(HWND area, const std::string& defaultFamily) : area_(area) {
  RECT inside{};
  GetClientRect(area, &inside);
  width_ = inside.right;
  height_ = inside.bottom;
  HDC screen = GetDC(area);
  dc_.reset(CreateCompatibleDC(screen));
  bitmap_.reset(CreateCompatibleBitmap(screen, width_, height_));
  ReleaseDC(area, screen);
  bitmapSelection_.emplace(dc_.get(), bitmap_.get());
  SetBkMode(dc_.get(), TRANSPARENT);
  SetTextColor(dc_.get(), GetSysColor(COLOR_WINDOWTEXT));
  SetFont({defaultFamily, kDefaultFontSize, false, false});
  Clear();
}

void SampleCanvas::Clear() {
  const RECT all{0, 0, width_, height_};
  FillRect(dc_.get(), &all, GetSysColorBrush(COLOR_WINDOW));
  InvalidateRect(area_, nullptr, FALSE);
}

void SampleCanvas::SetFont(const platform::SampleFont& font) {
  if (font.size < 1 || font.size > kLargestFontSize) {
    throw host::HostError(kInvalidPropertyValue, "Invalid property value");
  }
  const int height = -MulDiv(font.size, GetDeviceCaps(dc_.get(), LOGPIXELSY), 72);
  GdiObject<HFONT> created(CreateFontW(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic, FALSE, FALSE,
                                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                       DEFAULT_PITCH | FF_DONTCARE, Widen(font.name).c_str()));
  if (!created) throw host::HostError(kInvalidPropertyValue, "Invalid property value");
  fontSelection_.reset();
  fontObject_ = std::move(created);
  fontSelection_.emplace(dc_.get(), fontObject_.get());
  font_ = font;
}

platform::Extent SampleCanvas::Measure(const std::string& text) const {
  const std::wstring wide = Widen(text);
  SIZE size{};
  GetTextExtentPoint32W(dc_.get(), wide.c_str(), static_cast<int>(wide.size()), &size);
  return {static_cast<double>(size.cx), static_cast<double>(size.cy)};
}

void SampleCanvas::Print(double x, double y, const std::string& text) {
  const std::wstring wide = Widen(text);
  TextOutW(dc_.get(), static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)), wide.c_str(),
           static_cast<int>(wide.size()));
  InvalidateRect(area_, nullptr, FALSE);
}

void SampleCanvas::Paint(HDC target) const { BitBlt(target, 0, 0, width_, height_, dc_.get(), 0, 0, SRCCOPY); }

}  // namespace tabulara::com::dialogs
