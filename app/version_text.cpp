#include "app/version_text.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace kustel {
namespace {

constexpr std::array<std::string_view, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool IsBlank(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

void SkipBlanks(std::string_view& text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
}

// Reads a word the way "%s" does: blanks first, then everything up to the next blank.
std::string_view ReadWord(std::string_view& text) {
  SkipBlanks(text);
  size_t length = 0;
  while (length < text.size() && !IsBlank(text[length])) ++length;
  std::string_view word = text.substr(0, length);
  text.remove_prefix(length);
  return word;
}

// Reads a whole number the way "%d" does; a missing number leaves 0.
int ReadNumber(std::string_view& text) {
  SkipBlanks(text);
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc()) text.remove_prefix(static_cast<size_t>(end - text.data()));
  return error == std::errc() ? value : 0;
}

int MonthNumber(std::string_view name) {
  for (size_t i = 0; i < kMonthNames.size(); ++i) {
    if (kMonthNames[i] == name) return static_cast<int>(i) + 1;
  }
  return 0;
}

}  // namespace

std::u16string VersionText(std::string_view buildDate) {
  const int month = MonthNumber(ReadWord(buildDate));
  const int day = ReadNumber(buildDate);
  const int year = ReadNumber(buildDate);
  char buffer[40];
  const int length = std::snprintf(buffer, sizeof buffer, "%i.%i.%i", year - 2000, month, day);
  return std::u16string(buffer, buffer + (length > 0 ? length : 0));
}

std::u16string BuildVersionText() {
  return VersionText(__DATE__);
}

}  // namespace kustel
