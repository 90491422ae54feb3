#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

// Writes 8-bit RGB rows, top down, as a PNG file (deflate's stored blocks).
bool WritePng(const std::filesystem::path& path, int width, int height, const std::vector<std::uint8_t>& rgb);
