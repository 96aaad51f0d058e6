#include "name_codec.h"

#include <cstdint>

#include "platform/utf16.h"

namespace kustel {
namespace {

// As Python's surrogateescape: byte 0x80 to 0xFF becomes U+DC80 to U+DCFF.
constexpr char16_t kEscapeBase = 0xDC00;
constexpr char16_t kFirstEscape = 0xDC80;
constexpr char16_t kLastEscape = 0xDCFF;

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// Decodes one well-formed UTF-8 sequence at `pos` (RFC 3629: no overlongs, no surrogates, at
// most U+10FFFF). Returns its length, or 0 when the bytes there are not one.
size_t DecodeSequence(std::string_view bytes, size_t pos, char32_t& codePoint) {
  const auto lead = static_cast<unsigned char>(bytes[pos]);
  if (lead < 0x80) {
    codePoint = lead;
    return 1;
  }
  size_t length = 0;
  char32_t minimum = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, minimum = 0x80, codePoint = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, minimum = 0x800, codePoint = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, minimum = 0x10000, codePoint = lead & 0x07;
  } else {
    return 0;
  }
  if (pos + length > bytes.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(bytes[pos + i]);
    if (!IsContinuation(next)) return 0;
    codePoint = (codePoint << 6) | (next & 0x3F);
  }
  if (codePoint < minimum || codePoint > 0x10FFFF) return 0;
  if (codePoint >= 0xD800 && codePoint <= 0xDFFF) return 0;
  return length;
}

// Writes the code point at `out` and returns the position behind it.
size_t PutUtf16(std::u16string& text, size_t out, char32_t codePoint) {
  if (codePoint < 0x10000) {
    text[out++] = static_cast<char16_t>(codePoint);
  } else {
    codePoint -= 0x10000;
    text[out++] = static_cast<char16_t>(0xD800 + (codePoint >> 10));
    text[out++] = static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
  }
  return out;
}

size_t PutUtf8(std::string& bytes, size_t out, char32_t codePoint) {
  if (codePoint < 0x80) {
    bytes[out++] = static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    bytes[out++] = static_cast<char>(0xC0 | (codePoint >> 6));
    bytes[out++] = static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    bytes[out++] = static_cast<char>(0xE0 | (codePoint >> 12));
    bytes[out++] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    bytes[out++] = static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    bytes[out++] = static_cast<char>(0xF0 | (codePoint >> 18));
    bytes[out++] = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    bytes[out++] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    bytes[out++] = static_cast<char>(0x80 | (codePoint & 0x3F));
  }
  return out;
}

}  // namespace

std::u16string BytesToText(std::string_view bytes) {
  // Every byte gives at most one code unit, so the text is written into a buffer of that size
  // and cut to length: this runs for every path of every call and must stay cheap.
  std::u16string text(bytes.size(), u'\0');
  size_t out = 0;
  for (size_t pos = 0; pos < bytes.size();) {
    const auto byte = static_cast<unsigned char>(bytes[pos]);
    if (byte < 0x80) {
      text[out++] = byte;
      ++pos;
      continue;
    }
    char32_t codePoint = 0;
    const size_t length = DecodeSequence(bytes, pos, codePoint);
    if (length == 0) {
      text[out++] = static_cast<char16_t>(kEscapeBase + byte);
      ++pos;
    } else {
      out = PutUtf16(text, out, codePoint);
      pos += length;
    }
  }
  text.resize(out);
  return text;
}

std::string TextToBytes(std::u16string_view text) {
  // A code unit gives at most three bytes (a surrogate pair four for its two units).
  std::string bytes(text.size() * 3, '\0');
  size_t out = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (unit < 0x80) {
      bytes[out++] = static_cast<char>(unit);
    } else if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      out =
          PutUtf8(bytes, out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
      ++i;
    } else if (unit >= kFirstEscape && unit <= kLastEscape) {
      bytes[out++] = static_cast<char>(unit - kEscapeBase);
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      out = PutUtf8(bytes, out, 0xFFFD);  // a lone surrogate no decoded name can hold
    } else {
      out = PutUtf8(bytes, out, unit);
    }
  }
  bytes.resize(out);
  return bytes;
}

std::optional<std::u16string> DecodeStrictUtf8(std::string_view bytes) {
  std::u16string text(bytes.size(), u'\0');
  size_t out = 0;
  for (size_t pos = 0; pos < bytes.size();) {
    char32_t codePoint = 0;
    const size_t length = DecodeSequence(bytes, pos, codePoint);
    if (length == 0 || codePoint == 0) return std::nullopt;
    out = PutUtf16(text, out, codePoint);
    pos += length;
  }
  text.resize(out);
  return text;
}

}  // namespace kustel
