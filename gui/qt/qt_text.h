#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace kustel {

// The core speaks UTF-16 like QString, so the conversions copy code units unchanged; lone
// surrogates that carry undecodable name bytes survive both ways.
inline QString ToQString(std::u16string_view text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

inline std::u16string FromQString(const QString& text) {
  return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                        static_cast<size_t>(text.size()));
}

}  // namespace kustel
