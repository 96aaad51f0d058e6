#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kustel {

// Decodes the one kind of PNG the information picture is: 8 bits per channel, RGBA (colour type
// 6), not interlaced. zlib inflates; everything else (signature, chunk order, CRCs, the five row
// filters) is checked here. Anything else, or anything damaged, is refused with a reason; the
// decoder never reads outside the given bytes. It does not scale, convert or apply gamma.

enum class PngError {
  kNone,
  kBadSignature,           // the first eight bytes are not the PNG signature
  kTruncated,              // the data ends inside a chunk
  kBadChunkLength,         // a chunk length above 2^31 - 1
  kBadChunkType,           // a chunk type with other characters than ASCII letters
  kBadCrc,                 // a chunk's CRC does not match its type and data
  kHeaderNotFirst,         // the first chunk is not IHDR, or a second IHDR follows
  kBadHeader,              // IHDR of the wrong length, or an unknown compression/filter/interlace
  kBadSize,                // width or height zero or above 2^31 - 1
  kTooLarge,               // more pixels than kMaxPngPixels
  kUnsupportedBitDepth,    // a bit depth other than 8
  kUnsupportedColourType,  // a colour type other than 6 (RGBA)
  kInterlaced,             // Adam7 interlacing
  kUnknownCriticalChunk,   // a critical chunk this decoder does not know
  kMisplacedChunk,         // PLTE after the image data
  kImageDataSplit,         // IDAT chunks that are not one contiguous run
  kMissingImageData,       // no IDAT before IEND
  kMissingEnd,             // the data ends without IEND
  kBadEnd,                 // IEND with data
  kDataAfterEnd,           // bytes after IEND
  kCorruptStream,          // zlib refuses the compressed data
  kTruncatedStream,        // the compressed data ends before its end marker
  kTrailingStreamData,     // bytes after the compressed data's end marker
  kTooLittleData,          // fewer bytes than the image's rows need
  kTooMuchData,            // more bytes than the image's rows need
  kBadFilterType,          // a row filter type above 4
  kOutOfMemory,
};

// width * height above this is refused before anything is allocated for it (16 MiB of RGBA).
inline constexpr uint64_t kMaxPngPixels = uint64_t{1} << 22;

struct DecodedPng {
  PngError error = PngError::kNone;
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> rgba;  // width * 4 bytes a row, top row first; empty on error

  bool ok() const { return error == PngError::kNone; }
};

DecodedPng DecodePng(std::span<const uint8_t> bytes);

// A short German description of the error, for the rare case that it reaches the user.
const char* PngErrorText(PngError error);

}  // namespace kustel
