#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace kustel {

// Writes 8-bit RGBA pixels (width * 4 bytes a row, top row first) as a PNG of colour type 6,
// not interlaced, with no chunks but IHDR, IDAT and IEND. It tries each row filter on its own and
// an adaptive choice per row, each with two zlib strategies at level 9, and keeps the smallest.
std::vector<uint8_t> EncodeRgbaPng(uint32_t width, uint32_t height, std::span<const uint8_t> rgba);

}  // namespace kustel
