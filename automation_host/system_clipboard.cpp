#include "automation_host/system_clipboard.h"

#include <windows.h>

#include <cstring>

namespace tabulara::automation {

std::optional<std::vector<std::uint8_t>> ClipboardPicture() {
  if (!OpenClipboard(nullptr)) return std::nullopt;
  std::optional<std::vector<std::uint8_t>> picture;
  // The system converts a bitmap put as CF_BITMAP into a device-independent one.
  if (HANDLE data = GetClipboardData(CF_DIB)) {
    if (const auto* dib = static_cast<const std::uint8_t*>(GlobalLock(data))) {
      const SIZE_T size = GlobalSize(data);
      const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(dib);
      DWORD colours = header->biClrUsed;
      if (colours == 0 && header->biBitCount <= 8) colours = 1u << header->biBitCount;
      BITMAPFILEHEADER file{};
      file.bfType = 0x4D42;
      file.bfSize = static_cast<DWORD>(sizeof file + size);
      file.bfOffBits = static_cast<DWORD>(sizeof file + header->biSize + colours * sizeof(RGBQUAD) +
                                          (header->biCompression == BI_BITFIELDS ? 3 * sizeof(DWORD) : 0));
      picture.emplace(sizeof file + size);
      std::memcpy(picture->data(), &file, sizeof file);
      std::memcpy(picture->data() + sizeof file, dib, size);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return picture;
}

}  // namespace tabulara::automation
