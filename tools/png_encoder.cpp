#include "png_encoder.h"

#include <zlib.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace kustel {
namespace {

constexpr size_t kBytesPerPixel = 4;
constexpr int kAdaptive = -1;

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  PutU32(out, static_cast<uint32_t>(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutU32(out, static_cast<uint32_t>(crc32(0, &out[start], static_cast<uInt>(4 + data.size()))));
}

int Paeth(int left, int up, int upLeft) {
  const int estimate = left + up - upLeft;
  const int toLeft = std::abs(estimate - left), toUp = std::abs(estimate - up),
            toUpLeft = std::abs(estimate - upLeft);
  if (toLeft <= toUp && toLeft <= toUpLeft) return left;
  return toUp <= toUpLeft ? up : upLeft;
}

void FilterRow(int filter, const uint8_t* row, const uint8_t* up, size_t stride, uint8_t* out) {
  for (size_t i = 0; i < stride; ++i) {
    const int left = i >= kBytesPerPixel ? row[i - kBytesPerPixel] : 0;
    const int above = up ? up[i] : 0;
    const int upLeft = up && i >= kBytesPerPixel ? up[i - kBytesPerPixel] : 0;
    int predictor = 0;
    switch (filter) {
      case 1:
        predictor = left;
        break;
      case 2:
        predictor = above;
        break;
      case 3:
        predictor = (left + above) / 2;
        break;
      case 4:
        predictor = Paeth(left, above, upLeft);
        break;
      default:
        break;
    }
    out[i] = static_cast<uint8_t>(row[i] - predictor);
  }
}

// The usual heuristic: the filter whose output, read as signed bytes, sums smallest.
long SignedSum(const uint8_t* bytes, size_t count) {
  long sum = 0;
  for (size_t i = 0; i < count; ++i) sum += std::abs(static_cast<int8_t>(bytes[i]));
  return sum;
}

std::vector<uint8_t> FilteredRows(uint32_t width, uint32_t height, std::span<const uint8_t> rgba,
                                  int choice) {
  const size_t stride = size_t{width} * kBytesPerPixel;
  std::vector<uint8_t> raw((stride + 1) * height);
  std::vector<uint8_t> trial(stride);
  for (size_t y = 0; y < height; ++y) {
    const uint8_t* row = &rgba[y * stride];
    const uint8_t* up = y > 0 ? &rgba[(y - 1) * stride] : nullptr;
    uint8_t* out = &raw[y * (stride + 1)];
    int filter = choice;
    if (choice == kAdaptive) {
      long best = -1;
      for (int candidate = 0; candidate <= 4; ++candidate) {
        FilterRow(candidate, row, up, stride, trial.data());
        const long sum = SignedSum(trial.data(), stride);
        if (best < 0 || sum < best) {
          best = sum;
          filter = candidate;
        }
      }
    }
    out[0] = static_cast<uint8_t>(filter);
    FilterRow(filter, row, up, stride, out + 1);
  }
  return raw;
}

std::vector<uint8_t> Deflate(const std::vector<uint8_t>& raw, int strategy) {
  z_stream stream{};
  if (deflateInit2(&stream, 9, Z_DEFLATED, 15, 9, strategy) != Z_OK)
    throw std::runtime_error("deflateInit2 failed");
  std::vector<uint8_t> out(deflateBound(&stream, static_cast<uLong>(raw.size())));
  stream.next_in = const_cast<Bytef*>(raw.data());
  stream.avail_in = static_cast<uInt>(raw.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  const int rc = deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  if (rc != Z_STREAM_END) throw std::runtime_error("deflate failed");
  return out;
}

}  // namespace

std::vector<uint8_t> EncodeRgbaPng(uint32_t width, uint32_t height, std::span<const uint8_t> rgba) {
  if (width == 0 || height == 0 || rgba.size() != size_t{width} * height * kBytesPerPixel)
    throw std::invalid_argument("pixel count does not match the size");
  std::vector<uint8_t> best;
  for (int choice : {kAdaptive, 0, 1, 2, 3, 4}) {
    const std::vector<uint8_t> raw = FilteredRows(width, height, rgba, choice);
    for (int strategy : {Z_DEFAULT_STRATEGY, Z_FILTERED}) {
      std::vector<uint8_t> compressed = Deflate(raw, strategy);
      if (best.empty() || compressed.size() < best.size()) best = std::move(compressed);
    }
  }
  std::vector<uint8_t> header;
  PutU32(header, width);
  PutU32(header, height);
  header.insert(header.end(),
                {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, filter set 0, no interlace

  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", best);
  PutChunk(png, "IEND", {});
  return png;
}

}  // namespace kustel
