#include "command_line_split.h"

namespace kustel {
namespace {

bool IsBlank(char16_t c) {
  return c >= 1 && c <= 32;
}

bool IsQuotePair(std::u16string_view line, size_t pos) {
  return pos + 1 < line.size() && line[pos] == u'"' && line[pos + 1] == u'"';
}

// The position of the next piece's first character, or the end of the line.
size_t SkipToPiece(std::u16string_view line, size_t pos) {
  while (pos < line.size()) {
    if (IsBlank(line[pos])) {
      ++pos;
    } else if (IsQuotePair(line, pos)) {
      pos += 2;
    } else {
      break;
    }
  }
  return pos;
}

// Reads the piece that starts at `pos` and leaves `pos` behind it.
std::u16string ReadPiece(std::u16string_view line, size_t& pos) {
  std::u16string piece;
  bool quoted = false;
  for (; pos < line.size(); ++pos) {
    const char16_t c = line[pos];
    if (c == u'"') {
      quoted = !quoted;
    } else if (!quoted && IsBlank(c)) {
      break;
    } else {
      piece += c;
    }
  }
  return piece;
}

}  // namespace

std::vector<std::u16string> SplitCommandLine(std::u16string_view line) {
  line = line.substr(0, line.find(u'\0'));
  std::vector<std::u16string> pieces;
  for (size_t pos = SkipToPiece(line, 0); pos < line.size(); pos = SkipToPiece(line, pos)) {
    pieces.push_back(ReadPiece(line, pos));
  }
  return pieces;
}

}  // namespace kustel
