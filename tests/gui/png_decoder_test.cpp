#include "gui/png_decoder.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "gui/liz_definition.h"

namespace kustel {
namespace {

using Bytes = std::vector<uint8_t>;

void PutU32(Bytes& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

struct Chunk {
  std::string type;
  Bytes data;
};

Bytes Header(uint32_t width, uint32_t height, uint8_t bitDepth = 8, uint8_t colourType = 6,
             uint8_t interlace = 0) {
  Bytes data;
  PutU32(data, width);
  PutU32(data, height);
  for (uint8_t b : {bitDepth, colourType, uint8_t{0}, uint8_t{0}, interlace}) data.push_back(b);
  return data;
}

Bytes Compress(const Bytes& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes out(size);
  EXPECT_EQ(compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9), Z_OK);
  out.resize(size);
  return out;
}

Bytes Serialise(const std::vector<Chunk>& chunks) {
  Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  for (const Chunk& chunk : chunks) {
    PutU32(out, static_cast<uint32_t>(chunk.data.size()));
    Bytes typed(chunk.type.begin(), chunk.type.end());
    typed.insert(typed.end(), chunk.data.begin(), chunk.data.end());
    out.insert(out.end(), typed.begin(), typed.end());
    PutU32(out, static_cast<uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
  }
  return out;
}

// Rows of arbitrary bytes behind the given filter types: every byte string is a valid filtered
// row, so the tests need no filter of their own, and libpng (through QImage) says what the
// pixels must be.
constexpr uint32_t kWidth = 5;
Bytes FilteredRows(const std::vector<uint8_t>& filters, uint32_t width = kWidth) {
  std::mt19937 random(20241123);
  Bytes raw;
  for (uint8_t filter : filters) {
    raw.push_back(filter);
    for (uint32_t i = 0; i < width * 4; ++i) raw.push_back(static_cast<uint8_t>(random()));
  }
  return raw;
}

std::vector<Chunk> ImageChunks(const Bytes& raw, uint32_t height) {
  return {{"IHDR", Header(kWidth, height)}, {"IDAT", Compress(raw)}, {"IEND", {}}};
}

// A 5 x 3 image using the Sub, Up and Paeth filters.
std::vector<Chunk> ValidChunks() {
  return ImageChunks(FilteredRows({1, 2, 4}), 3);
}

Bytes ReferenceRgba(const Bytes& png) {
  QImage image = QImage::fromData(png.data(), static_cast<int>(png.size()), "PNG");
  EXPECT_FALSE(image.isNull()) << "libpng refuses the test's own PNG";
  image = image.convertToFormat(QImage::Format_RGBA8888);
  Bytes rgba;
  for (int y = 0; y < image.height(); ++y) {
    const uint8_t* line = image.constScanLine(y);
    rgba.insert(rgba.end(), line, line + image.width() * 4);
  }
  return rgba;
}

Bytes FileBytes(const std::string& path) {
  QFile file(QString::fromStdString(path));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
  const QByteArray bytes = file.readAll();
  return Bytes(bytes.begin(), bytes.end());
}

// Both systems' pages, each in the format the dialog is laid out for.
TEST(PngDecoder, DecodesEachCommittedPictureAsLibpngDoes) {
  for (const char* system : {"linux", "windows"}) {
    const std::string path = std::string(KUSTEL_SOURCE_DIR "/gui/info_picture_") + system + ".png";
    SCOPED_TRACE(path);
    const Bytes png = FileBytes(path);
    const DecodedPng decoded = DecodePng(png);
    ASSERT_TRUE(decoded.ok()) << PngErrorText(decoded.error);
    // The size the dialog's definition gives its picture.
    const Place picture = ControlOf(LizDefinition(), kImage1).place;
    EXPECT_EQ(decoded.width, static_cast<uint32_t>(picture.width));
    EXPECT_EQ(decoded.height, static_cast<uint32_t>(picture.height));
    // The decoder takes colour type 6 alone, so a successful decode already says RGBA; the
    // header bytes say it too, and that the picture is not interlaced.
    ASSERT_GT(png.size(), 29u);
    EXPECT_EQ(png[24], 8) << "bit depth";
    EXPECT_EQ(png[25], 6) << "colour type";
    EXPECT_EQ(png[28], 0) << "interlace method";
    ASSERT_EQ(decoded.rgba.size(), size_t{decoded.width} * decoded.height * 4);
    size_t translucent = 0;
    for (size_t i = 3; i < decoded.rgba.size(); i += 4) translucent += decoded.rgba[i] != 255;
    EXPECT_EQ(translucent, 0u) << "pixels that are not fully opaque";
    EXPECT_TRUE(decoded.rgba == ReferenceRgba(png));
  }
}

struct GoodCase {
  const char* name;
  std::function<std::vector<Chunk>()> chunks;
};

const GoodCase kGoodCases[] = {
    {"RowsWithoutFilter",
     [] {
       return ImageChunks(FilteredRows({0, 0, 0}), 3);
     }},
    {"SubFilter",
     [] {
       return ImageChunks(FilteredRows({1, 1, 1}), 3);
     }},
    {"UpFilter",
     [] {
       return ImageChunks(FilteredRows({2, 2, 2}), 3);
     }},
    {"AverageFilter",
     [] {
       return ImageChunks(FilteredRows({3, 3, 3}), 3);
     }},
    {"PaethFilter",
     [] {
       return ImageChunks(FilteredRows({4, 4, 4}), 3);
     }},
    {"EveryFilterAfterEveryOther",
     [] {
       return ImageChunks(FilteredRows({4, 3, 2, 1, 0, 4, 2, 0, 3, 1, 4, 1, 3, 0, 2}), 15);
     }},
    {"OnePixel",
     [] {
       return std::vector<Chunk>{
           {"IHDR", Header(1, 1)}, {"IDAT", Compress({4, 10, 20, 30, 255})}, {"IEND", {}}};
     }},
    // Random rows almost never tie in Paeth's distances; these do. In red the distances to up
    // and up-left tie (up wins), in green those to left and up-left (left wins).
    {"PaethTiesBetweenNeighbours",
     [] {
       const Bytes raw = {0, 10,  10, 0, 255, 20, 5, 0, 255,  // c and b
                          4, 251, 10, 0, 0,   0,  0, 0, 0};   // a = (5, 20), then Paeth(a, b, c)
       return std::vector<Chunk>{{"IHDR", Header(2, 2)}, {"IDAT", Compress(raw)}, {"IEND", {}}};
     }},
    {"ImageDataSplitOverSeveralChunks",
     [] {
       std::vector<Chunk> chunks = ValidChunks();
       const Bytes stream = chunks[1].data;
       chunks[1].data.assign(stream.begin(), stream.begin() + 3);
       chunks.insert(chunks.begin() + 2, {"IDAT", {}});
       chunks.insert(chunks.begin() + 3, {"IDAT", Bytes(stream.begin() + 3, stream.end())});
       return chunks;
     }},
    {"AncillaryChunksSkipped",
     [] {
       std::vector<Chunk> chunks = ValidChunks();
       chunks.insert(chunks.begin() + 1, {"tEXt", {'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 'x'}});
       chunks.insert(chunks.begin() + 3, {"tIME", {7, 232, 11, 23, 12, 0, 0}});
       return chunks;
     }},
    {"SuggestedPaletteBeforeData",
     [] {
       std::vector<Chunk> chunks = ValidChunks();
       chunks.insert(chunks.begin() + 1, {"PLTE", {0, 0, 0, 255, 255, 255}});
       return chunks;
     }},
};

TEST(PngDecoder, DecodesValidImagesAsLibpngDoes) {
  for (const GoodCase& row : kGoodCases) {
    SCOPED_TRACE(row.name);
    const std::vector<Chunk> chunks = row.chunks();
    const Bytes png = Serialise(chunks);
    const DecodedPng decoded = DecodePng(png);
    ASSERT_TRUE(decoded.ok()) << PngErrorText(decoded.error);
    EXPECT_EQ(decoded.width, chunks[0].data[3]);
    EXPECT_EQ(decoded.height, chunks[0].data[7]);
    EXPECT_TRUE(decoded.rgba == ReferenceRgba(png));
  }
}

// Broken inputs, each made from the valid image by one change.
struct BadCase {
  const char* name;
  std::function<Bytes()> bytes;
  PngError expected;
};

Bytes WithChunks(const std::function<void(std::vector<Chunk>&)>& change) {
  std::vector<Chunk> chunks = ValidChunks();
  change(chunks);
  return Serialise(chunks);
}

Bytes WithHeader(const Bytes& header) {
  return WithChunks([&](std::vector<Chunk>& c) { c[0].data = header; });
}

Bytes WithBytes(const std::function<void(Bytes&)>& change) {
  Bytes png = Serialise(ValidChunks());
  change(png);
  return png;
}

Bytes WithImageData(const Bytes& stream) {
  return WithChunks([&](std::vector<Chunk>& c) { c[1].data = stream; });
}

Bytes ValidStream() {
  return ValidChunks()[1].data;
}

// The valid rows compressed against a preset dictionary, which PNG does not allow.
Bytes StreamWithDictionary() {
  const Bytes raw = FilteredRows({1, 2, 4});
  z_stream stream{};
  deflateInit(&stream, 9);
  const Bytef dictionary[] = "kustel";
  deflateSetDictionary(&stream, dictionary, sizeof dictionary);
  Bytes out(deflateBound(&stream, static_cast<uLong>(raw.size())));
  stream.next_in = const_cast<Bytef*>(raw.data());
  stream.avail_in = static_cast<uInt>(raw.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

// Offsets in the serialised valid image: signature 8, then IHDR's length, type, 13 bytes, CRC.
constexpr size_t kHeaderCrcOffset = 8 + 8 + 13;
constexpr size_t kImageDataOffset = kHeaderCrcOffset + 4;

const BadCase kBadCases[] = {
    {"Empty", [] { return Bytes{}; }, PngError::kBadSignature},
    {"SignatureDamaged", [] { return WithBytes([](Bytes& b) { b[1] = 'p'; }); },
     PngError::kBadSignature},
    {"SignatureAlone", [] { return WithBytes([](Bytes& b) { b.resize(8); }); },
     PngError::kTruncated},
    {"HeaderCrcWrong", [] { return WithBytes([](Bytes& b) { b[kHeaderCrcOffset] ^= 1; }); },
     PngError::kBadCrc},
    {"ImageDataByteFlipped",
     [] { return WithBytes([](Bytes& b) { b[kImageDataOffset + 9] ^= 1; }); }, PngError::kBadCrc},
    {"HeaderNotFirst", [] { return WithChunks([](auto& c) { std::swap(c[0], c[1]); }); },
     PngError::kHeaderNotFirst},
    {"SecondHeader", [] { return WithChunks([](auto& c) { c.insert(c.begin() + 1, c[0]); }); },
     PngError::kHeaderNotFirst},
    {"HeaderTooShort",
     [] {
       Bytes header = Header(kWidth, 3);
       header.pop_back();
       return WithHeader(header);
     },
     PngError::kBadHeader},
    {"CompressionMethodUnknown",
     [] {
       Bytes header = Header(kWidth, 3);
       header[10] = 1;
       return WithHeader(header);
     },
     PngError::kBadHeader},
    {"InterlaceMethodUnknown", [] { return WithHeader(Header(kWidth, 3, 8, 6, 2)); },
     PngError::kBadHeader},
    {"ColourTypeRgb", [] { return WithHeader(Header(kWidth, 3, 8, 2)); },
     PngError::kUnsupportedColourType},
    {"ColourTypePalette", [] { return WithHeader(Header(kWidth, 3, 8, 3)); },
     PngError::kUnsupportedColourType},
    {"BitDepth16", [] { return WithHeader(Header(kWidth, 3, 16)); },
     PngError::kUnsupportedBitDepth},
    {"Interlaced", [] { return WithHeader(Header(kWidth, 3, 8, 6, 1)); }, PngError::kInterlaced},
    {"ZeroWidth", [] { return WithHeader(Header(0, 3)); }, PngError::kBadSize},
    {"ZeroHeight", [] { return WithHeader(Header(kWidth, 0)); }, PngError::kBadSize},
    {"WidthAboveTwoToThe31", [] { return WithHeader(Header(0x80000000u, 1)); }, PngError::kBadSize},
    {"AbsurdSize", [] { return WithHeader(Header(65535, 65535)); }, PngError::kTooLarge},
    {"OnePixelRowAboveTheCap", [] { return WithHeader(Header(2048, 2049)); }, PngError::kTooLarge},
    {"ChunkLengthAboveTwoToThe31",
     [] { return WithBytes([](Bytes& b) { b[kImageDataOffset] = 0x80; }); },
     PngError::kBadChunkLength},
    {"ChunkLengthPastTheEnd",
     [] { return WithBytes([](Bytes& b) { b[kImageDataOffset + 2] = 0x7f; }); },
     PngError::kTruncated},
    {"ChunkTypeWithDigit",
     [] { return WithChunks([](auto& c) {
            c.insert(c.begin() + 1, {"tEX1", {}});
          }); },
     PngError::kBadChunkType},
    {"CutInsideImageData",
     [] { return WithBytes([](Bytes& b) { b.resize(kImageDataOffset + 12); }); },
     PngError::kTruncated},
    {"UnknownCriticalChunk",
     [] { return WithChunks([](auto& c) {
            c.insert(c.begin() + 1, {"QUUX", {1, 2}});
          }); },
     PngError::kUnknownCriticalChunk},
    {"PaletteAfterImageData",
     [] { return WithChunks([](auto& c) {
            c.insert(c.begin() + 2, {"PLTE", {0, 0, 0}});
          }); },
     PngError::kMisplacedChunk},
    {"ImageDataInterrupted",
     [] {
       return WithChunks([](auto& c) {
         const Bytes stream = c[1].data;
         c[1].data.resize(4);
         c.insert(c.begin() + 2, {"tEXt", {'a', 0, 'b'}});
         c.insert(c.begin() + 3, {"IDAT", Bytes(stream.begin() + 4, stream.end())});
       });
     },
     PngError::kImageDataSplit},
    {"NoImageData", [] { return WithChunks([](auto& c) { c.erase(c.begin() + 1); }); },
     PngError::kMissingImageData},
    {"NoEnd", [] { return WithChunks([](auto& c) { c.pop_back(); }); }, PngError::kMissingEnd},
    {"EndWithData", [] { return WithChunks([](auto& c) { c.back().data = {0}; }); },
     PngError::kBadEnd},
    {"BytesAfterEnd", [] { return WithBytes([](Bytes& b) { b.push_back(0); }); },
     PngError::kDataAfterEnd},
    {"ChunkAfterEnd", [] { return WithChunks([](auto& c) {
                             c.push_back({"tEXt", {'a', 0}});
                           }); },
     PngError::kDataAfterEnd},
    {"StreamHeaderDamaged",
     [] {
       Bytes stream = ValidStream();
       stream[0] = 0x79;
       return WithImageData(stream);
     },
     PngError::kCorruptStream},
    {"StreamBlockDamaged",
     [] {
       Bytes stream = ValidStream();
       stream[2] = 0xff;  // block type 3 does not exist
       return WithImageData(stream);
     },
     PngError::kCorruptStream},
    {"StreamChecksumWrong",
     [] {
       Bytes stream = ValidStream();
       stream.back() ^= 1;
       return WithImageData(stream);
     },
     PngError::kCorruptStream},
    {"StreamWithPresetDictionary", [] { return WithImageData(StreamWithDictionary()); },
     PngError::kCorruptStream},
    {"StreamCutShort",
     [] {
       Bytes stream = ValidStream();
       stream.resize(stream.size() - 6);
       return WithImageData(stream);
     },
     PngError::kTruncatedStream},
    {"EmptyImageData", [] { return WithImageData({}); }, PngError::kTruncatedStream},
    {"BytesAfterTheStream",
     [] {
       Bytes stream = ValidStream();
       stream.push_back(0);
       return WithImageData(stream);
     },
     PngError::kTrailingStreamData},
    {"RowMissing",
     [] {
       return WithImageData(Compress(FilteredRows({1, 2})));
     },
     PngError::kTooLittleData},
    {"RowTooShort",
     [] {
       Bytes raw = FilteredRows({1, 2, 4});
       raw.pop_back();
       return WithImageData(Compress(raw));
     },
     PngError::kTooLittleData},
    {"RowTooMany",
     [] {
       return WithImageData(Compress(FilteredRows({1, 2, 4, 0})));
     },
     PngError::kTooMuchData},
    {"HugeRunOfZerosForATinyImage", [] { return WithImageData(Compress(Bytes(1 << 20))); },
     PngError::kTooMuchData},
    {"FilterTypeFive",
     [] {
       return WithImageData(Compress(FilteredRows({1, 5, 4})));
     },
     PngError::kBadFilterType},
    {"FilterTypeAbove127",
     [] {
       return WithImageData(Compress(FilteredRows({0, 2, 200})));
     },
     PngError::kBadFilterType},
};

TEST(PngDecoder, RefusesBrokenInputsWithTheirReason) {
  for (const BadCase& row : kBadCases) {
    SCOPED_TRACE(row.name);
    const DecodedPng decoded = DecodePng(row.bytes());
    EXPECT_EQ(decoded.error, row.expected) << "got: " << PngErrorText(decoded.error);
    EXPECT_TRUE(decoded.rgba.empty());
    EXPECT_EQ(decoded.width, 0u);
  }
}

// Every byte of the small image belongs to the signature or is covered by a length and a CRC, so
// no single damaged byte may pass, and no prefix of the file decodes. Each input lives in a
// buffer of exactly its size, so the sanitizers catch any read beyond its end.
TEST(PngDecoder, NoticesEveryDamagedByteAndEveryCut) {
  const Bytes png = Serialise(ValidChunks());
  ASSERT_TRUE(DecodePng(png).ok());
  for (size_t i = 0; i < png.size(); ++i) {
    Bytes damaged = png;
    damaged[i] ^= 0x10;
    EXPECT_FALSE(DecodePng(damaged).ok()) << "byte " << i;
    const Bytes cut(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(i));
    EXPECT_FALSE(DecodePng(cut).ok()) << "cut at " << i;
  }
}

}  // namespace
}  // namespace kustel
