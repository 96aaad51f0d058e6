#include "platform/name_codec.h"

#include <gtest/gtest.h>

namespace kustel {
namespace {

struct RoundTrip {
  const char* name;
  std::string bytes;
  std::u16string text;
};

TEST(NameCodec, DecodesAndRoundTripsByteForByte) {
  const RoundTrip rows[] = {
      {"ascii", "scan.pdf", u"scan.pdf"},
      {"umlaut", "M\xC3\xBCller.pdf", u"M\u00FCller.pdf"},
      {"outside the BMP", "\xF0\x9F\x93\x84.pdf", u"\U0001F4C4.pdf"},
      {"latin-1 byte escaped", "M\xFCller.pdf", u"M\xDCFCller.pdf"},
      {"truncated sequence", "a\xC3", u"a\xDCC3"},
      {"overlong slash", "\xC0\xAF", u"\xDCC0\xDCAF"},
      {"encoded surrogate", "\xED\xB2\x80", u"\xDCED\xDCB2\xDC80"},
      {"above U+10FFFF", "\xF4\x90\x80\x80", u"\xDCF4\xDC90\xDC80\xDC80"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(BytesToText(row.bytes), row.text);
    EXPECT_EQ(TextToBytes(row.text), row.bytes);
  }
}

TEST(NameCodec, EveryByteSequenceRoundTrips) {
  std::string bytes;
  for (int i = 1; i < 256; ++i) bytes.push_back(static_cast<char>(i));
  for (int i = 255; i >= 1; --i) bytes.push_back(static_cast<char>(i));
  EXPECT_EQ(TextToBytes(BytesToText(bytes)), bytes);
}

TEST(NameCodec, StrictDecodingRefusesInvalidBytesAndNul) {
  EXPECT_EQ(DecodeStrictUtf8("05000099999999M\xC3\xBCller"), u"05000099999999M\u00FCller");
  EXPECT_EQ(DecodeStrictUtf8(""), u"");
  EXPECT_FALSE(DecodeStrictUtf8("abc\xFF"));
  EXPECT_FALSE(DecodeStrictUtf8(std::string("ab\0c", 4)));
  EXPECT_FALSE(DecodeStrictUtf8("\xED\xA0\x80"));
}

}  // namespace
}  // namespace kustel
