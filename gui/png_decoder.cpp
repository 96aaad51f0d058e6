#include "gui/png_decoder.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>

namespace kustel {
namespace {

constexpr std::array<uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr uint32_t kMaxChunkLength = 0x7fffffff;
constexpr size_t kChunkOverhead = 12;  // length, type, CRC
constexpr size_t kBytesPerPixel = 4;

uint32_t ReadU32(const uint8_t* p) {
  return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | uint32_t{p[3]};
}

bool IsType(const uint8_t* type, const char* name) {
  return std::memcmp(type, name, 4) == 0;
}

bool IsLetter(uint8_t c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Bit 5 of the first letter clear (upper case) marks a chunk a decoder must understand.
bool IsCritical(const uint8_t* type) {
  return (type[0] & 0x20) == 0;
}

struct Header {
  uint32_t width = 0;
  uint32_t height = 0;
};

PngError ParseHeader(std::span<const uint8_t> data, Header& header) {
  if (data.size() != 13) return PngError::kBadHeader;
  header.width = ReadU32(&data[0]);
  header.height = ReadU32(&data[4]);
  const uint8_t bitDepth = data[8], colourType = data[9], compression = data[10],
                filterMethod = data[11], interlace = data[12];
  if (header.width == 0 || header.height == 0 || header.width > kMaxChunkLength ||
      header.height > kMaxChunkLength)
    return PngError::kBadSize;
  if (uint64_t{header.width} * header.height > kMaxPngPixels) return PngError::kTooLarge;
  if (bitDepth != 8) return PngError::kUnsupportedBitDepth;
  if (colourType != 6) return PngError::kUnsupportedColourType;
  if (compression != 0 || filterMethod != 0 || interlace > 1) return PngError::kBadHeader;
  if (interlace == 1) return PngError::kInterlaced;
  return PngError::kNone;
}

// Walks the chunks, checks their order and CRCs, and gathers the image data.
PngError ReadChunks(std::span<const uint8_t> bytes, Header& header,
                    std::vector<uint8_t>& imageData) {
  bool haveHeader = false, inImageData = false, imageDataDone = false;
  size_t pos = kSignature.size();
  while (pos < bytes.size()) {
    const size_t left = bytes.size() - pos;
    if (left < kChunkOverhead) return PngError::kTruncated;
    const uint32_t length = ReadU32(&bytes[pos]);
    if (length > kMaxChunkLength) return PngError::kBadChunkLength;
    if (left - kChunkOverhead < length) return PngError::kTruncated;
    const uint8_t* type = &bytes[pos + 4];
    if (!std::all_of(type, type + 4, IsLetter)) return PngError::kBadChunkType;
    const std::span<const uint8_t> data = bytes.subspan(pos + 8, length);
    const uint32_t storedCrc = ReadU32(&bytes[pos + 8 + length]);
    if (crc32(0, type, 4 + length) != storedCrc) return PngError::kBadCrc;
    pos += kChunkOverhead + length;

    if (!haveHeader) {
      if (!IsType(type, "IHDR")) return PngError::kHeaderNotFirst;
      if (const PngError error = ParseHeader(data, header); error != PngError::kNone) return error;
      haveHeader = true;
      continue;
    }
    if (IsType(type, "IHDR")) return PngError::kHeaderNotFirst;
    if (IsType(type, "IDAT")) {
      if (imageDataDone) return PngError::kImageDataSplit;
      inImageData = true;
      try {
        imageData.insert(imageData.end(), data.begin(), data.end());
      } catch (const std::bad_alloc&) {
        return PngError::kOutOfMemory;
      }
      continue;
    }
    if (inImageData) {
      inImageData = false;
      imageDataDone = true;
    }
    if (IsType(type, "IEND")) {
      if (length != 0) return PngError::kBadEnd;
      if (!imageDataDone) return PngError::kMissingImageData;
      return pos == bytes.size() ? PngError::kNone : PngError::kDataAfterEnd;
    }
    if (IsType(type, "PLTE")) {
      // An RGBA image may carry a suggested palette before its data; it is not needed here.
      if (imageDataDone) return PngError::kMisplacedChunk;
      continue;
    }
    if (IsCritical(type)) return PngError::kUnknownCriticalChunk;
  }
  return haveHeader ? PngError::kMissingEnd : PngError::kTruncated;
}

// Inflates exactly `expected` bytes: a stream that ends early, runs long, is cut off or is
// followed by more bytes is refused. The output grows with the data actually inflated, so a large
// header over a few bytes of data allocates little.
PngError Inflate(const std::vector<uint8_t>& input, size_t expected, std::vector<uint8_t>& out) {
  if (input.size() > UINT_MAX) return PngError::kTooLarge;
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return PngError::kOutOfMemory;
  stream.next_in = const_cast<Bytef*>(input.data());
  stream.avail_in = static_cast<uInt>(input.size());
  size_t produced = 0;
  PngError error = PngError::kNone;
  for (;;) {
    if (produced == out.size()) {
      // Deflate expands at most about 1032 times, so the first size nearly always suffices.
      const size_t first = input.size() * 1032 + (1 << 16);
      const size_t grown = std::min(expected + 1, out.empty() ? first : out.size() * 2);
      try {
        out.resize(grown);
      } catch (const std::bad_alloc&) {
        error = PngError::kOutOfMemory;
        break;
      }
    }
    stream.next_out = out.data() + produced;
    stream.avail_out = static_cast<uInt>(std::min<size_t>(out.size() - produced, UINT_MAX));
    const uInt room = stream.avail_out;
    const int rc = inflate(&stream, Z_NO_FLUSH);
    produced += room - stream.avail_out;
    if (produced > expected) {
      error = PngError::kTooMuchData;
      break;
    }
    if (rc == Z_STREAM_END) {
      if (stream.avail_in != 0)
        error = PngError::kTrailingStreamData;
      else if (produced < expected)
        error = PngError::kTooLittleData;
      break;
    }
    if (rc == Z_OK) continue;
    if (rc == Z_BUF_ERROR && stream.avail_in == 0) {
      error = PngError::kTruncatedStream;
    } else if (rc == Z_MEM_ERROR) {
      error = PngError::kOutOfMemory;
    } else {
      error = PngError::kCorruptStream;  // Z_DATA_ERROR, Z_NEED_DICT (PNG has no dictionary)
    }
    break;
  }
  inflateEnd(&stream);
  out.resize(produced);
  return error;
}

uint8_t Paeth(int left, int up, int upLeft) {
  const int estimate = left + up - upLeft;
  const int toLeft = std::abs(estimate - left), toUp = std::abs(estimate - up),
            toUpLeft = std::abs(estimate - upLeft);
  if (toLeft <= toUp && toLeft <= toUpLeft) return static_cast<uint8_t>(left);
  if (toUp <= toUpLeft) return static_cast<uint8_t>(up);
  return static_cast<uint8_t>(upLeft);
}

// Undoes one row's filter; `up` is the previous row already unfiltered (zeros for the first row).
// One loop per filter type, the first pixel apart, keeps the loops free of per-byte decisions.
PngError UnfilterRow(uint8_t filter, const uint8_t* src, const uint8_t* up, uint8_t* dst,
                     size_t stride) {
  constexpr size_t bpp = kBytesPerPixel;
  switch (filter) {
    case 0:
      std::memmove(dst, src, stride);
      break;
    case 1:
      for (size_t i = 0; i < bpp; ++i) dst[i] = src[i];
      for (size_t i = bpp; i < stride; ++i) dst[i] = static_cast<uint8_t>(src[i] + dst[i - bpp]);
      break;
    case 2:
      for (size_t i = 0; i < stride; ++i) dst[i] = static_cast<uint8_t>(src[i] + up[i]);
      break;
    case 3:
      for (size_t i = 0; i < bpp; ++i) dst[i] = static_cast<uint8_t>(src[i] + up[i] / 2);
      for (size_t i = bpp; i < stride; ++i)
        dst[i] = static_cast<uint8_t>(src[i] + (dst[i - bpp] + up[i]) / 2);
      break;
    case 4:
      for (size_t i = 0; i < bpp; ++i) dst[i] = static_cast<uint8_t>(src[i] + up[i]);
      for (size_t i = bpp; i < stride; ++i)
        dst[i] = static_cast<uint8_t>(src[i] + Paeth(dst[i - bpp], up[i], up[i - bpp]));
      break;
    default:
      return PngError::kBadFilterType;
  }
  return PngError::kNone;
}

}  // namespace

DecodedPng DecodePng(std::span<const uint8_t> bytes) {
  DecodedPng result;
  if (bytes.size() < kSignature.size() ||
      !std::equal(kSignature.begin(), kSignature.end(), bytes.begin())) {
    result.error = PngError::kBadSignature;
    return result;
  }
  Header header;
  std::vector<uint8_t> imageData;
  result.error = ReadChunks(bytes, header, imageData);
  if (!result.ok()) return result;

  const size_t stride = size_t{header.width} * kBytesPerPixel;
  std::vector<uint8_t> pixels;
  result.error = Inflate(imageData, (stride + 1) * header.height, pixels);
  if (!result.ok()) return result;

  // Rows are unfiltered in place, each moved up over the filter bytes before it: row y lands
  // y + 1 bytes before where it was read, so no byte is written before it has been read.
  std::vector<uint8_t> zeros;
  try {
    zeros.resize(stride);  // the row above the first one
  } catch (const std::bad_alloc&) {
    result.error = PngError::kOutOfMemory;
    return result;
  }
  for (size_t y = 0; y < header.height; ++y) {
    const uint8_t* row = &pixels[y * (stride + 1)];
    const uint8_t* up = y > 0 ? &pixels[(y - 1) * stride] : zeros.data();
    result.error = UnfilterRow(row[0], row + 1, up, &pixels[y * stride], stride);
    if (!result.ok()) return result;
  }
  pixels.resize(stride * header.height);
  result.width = header.width;
  result.height = header.height;
  result.rgba = std::move(pixels);
  return result;
}

const char* PngErrorText(PngError error) {
  switch (error) {
    case PngError::kNone:
      return "Kein Fehler";
    case PngError::kBadSignature:
      return "Keine PNG-Datei (Signatur fehlt)";
    case PngError::kTruncated:
      return "PNG-Daten enden mitten in einem Block";
    case PngError::kBadChunkLength:
      return "Unzulässige Blocklänge";
    case PngError::kBadChunkType:
      return "Unzulässiger Blocktyp";
    case PngError::kBadCrc:
      return "Prüfsumme eines Blocks falsch";
    case PngError::kHeaderNotFirst:
      return "IHDR fehlt am Anfang oder ist doppelt";
    case PngError::kBadHeader:
      return "IHDR ungültig";
    case PngError::kBadSize:
      return "Breite oder Höhe unzulässig";
    case PngError::kTooLarge:
      return "Bild zu groß";
    case PngError::kUnsupportedBitDepth:
      return "Nur 8 Bit je Kanal werden unterstützt";
    case PngError::kUnsupportedColourType:
      return "Nur RGBA (Farbtyp 6) wird unterstützt";
    case PngError::kInterlaced:
      return "Zeilensprung (Interlacing) wird nicht unterstützt";
    case PngError::kUnknownCriticalChunk:
      return "Unbekannter kritischer Block";
    case PngError::kMisplacedChunk:
      return "PLTE nach den Bilddaten";
    case PngError::kImageDataSplit:
      return "IDAT-Blöcke nicht zusammenhängend";
    case PngError::kMissingImageData:
      return "Bilddaten (IDAT) fehlen";
    case PngError::kMissingEnd:
      return "IEND fehlt";
    case PngError::kBadEnd:
      return "IEND ungültig";
    case PngError::kDataAfterEnd:
      return "Daten nach IEND";
    case PngError::kCorruptStream:
      return "Komprimierte Daten beschädigt";
    case PngError::kTruncatedStream:
      return "Komprimierte Daten unvollständig";
    case PngError::kTrailingStreamData:
      return "Daten nach dem Ende der komprimierten Daten";
    case PngError::kTooLittleData:
      return "Zu wenige Bilddaten";
    case PngError::kTooMuchData:
      return "Zu viele Bilddaten";
    case PngError::kBadFilterType:
      return "Unbekannter Zeilenfilter";
    case PngError::kOutOfMemory:
      return "Nicht genug Speicher";
  }
  return "Unbekannter Fehler";
}

}  // namespace kustel
