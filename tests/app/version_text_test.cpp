#include "app/version_text.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace kustel {
namespace {

struct BuildDateCase {
  const char* name;
  const char* buildDate;  // as __DATE__ writes it: the day padded with a blank
  std::u16string version;
};

TEST(VersionText, PrintsYearMonthDayWithoutLeadingZeros) {
  const BuildDateCase rows[] = {
      {"the November build", "Nov 23 2024", u"24.11.23"},
      {"a one-digit day padded with a blank", "Mar  5 2025", u"25.3.5"},
      {"the first day of 2000", "Jan  1 2000", u"0.1.1"},
      {"the last day of a century", "Dec 31 2099", u"99.12.31"},
      {"a leap day", "Feb 29 2028", u"28.2.29"},
      {"every month is found by its name", "Sep 30 2026", u"26.9.30"},
      {"a year before 2000 prints its sign", "Jul  4 1999", u"-1.7.4"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(VersionText(row.buildDate), row.version);
  }
}

TEST(VersionText, ThisBuildHasTheShapeOfAVersion) {
  const std::u16string version = BuildVersionText();
  const std::string text(version.begin(), version.end());
  EXPECT_TRUE(std::regex_match(text, std::regex(R"([1-9][0-9]*\.([1-9]|1[0-2])\.[1-9][0-9]?)")))
      << text;
}

}  // namespace
}  // namespace kustel
