#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kustel {

// POSIX file names are bytes. They become UTF-16 text by decoding UTF-8, where every byte that
// is not part of a valid sequence turns into the lone surrogate U+DC00 + byte (U+DC80 to U+DCFF). Encoding reverses
// that exactly, so any name round-trips byte for byte.
std::u16string BytesToText(std::string_view bytes);
std::string TextToBytes(std::u16string_view text);

// Strict UTF-8 for stored text: nothing when the bytes are not valid UTF-8 or hold a NUL.
std::optional<std::u16string> DecodeStrictUtf8(std::string_view bytes);

}  // namespace kustel
