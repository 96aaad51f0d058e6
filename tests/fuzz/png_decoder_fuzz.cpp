// Feeds arbitrary bytes to the picture decoder. Random changes almost always break a CRC, which
// would keep the fuzzer at the chunk walk; so each input is decoded twice, as it is and with every
// complete chunk's CRC put right, which lets the mutations reach the header checks, the inflating
// and the row filters.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include <zlib.h>

#include "gui/png_decoder.h"

namespace {

uint32_t ReadU32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

void RepairCrcs(std::vector<uint8_t>& png) {
  size_t pos = 8;
  while (pos + 12 <= png.size()) {
    const uint32_t length = ReadU32(&png[pos]);
    if (length > png.size() - pos - 12) return;
    const uint32_t crc = static_cast<uint32_t>(crc32(0, &png[pos + 4], 4 + length));
    for (int i = 0; i < 4; ++i)
      png[pos + 8 + length + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    pos += 12 + length;
  }
}

void Check(const std::vector<uint8_t>& bytes) {
  const kustel::DecodedPng decoded = kustel::DecodePng(bytes);
  if (decoded.ok() != (decoded.rgba.size() == size_t{decoded.width} * decoded.height * 4 &&
                       decoded.width > 0 && decoded.height > 0))
    std::abort();
  if (!decoded.ok() && (decoded.width != 0 || !decoded.rgba.empty())) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> bytes(data, data + size);
  Check(bytes);
  RepairCrcs(bytes);
  Check(bytes);
  return 0;
}
