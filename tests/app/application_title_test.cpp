#include "app/application_title.h"

#include <gtest/gtest.h>

#include <string>

namespace kustel {
namespace {

struct TitleCase {
  const char* name;
  std::u16string programPath;
  std::u16string title;
};

TEST(ApplicationTitle, IsTheFileNameCutAtItsFirstDotWithTheRestInLowerCase) {
  const TitleCase rows[] = {
      {"the installed program", u"/usr/bin/kustel", u"Kustel"},
      {"a name in capitals with an extension", u"KUSTEL.EXE", u"Kustel"},
      {"started from the build folder", u"./build/default/app/kustel", u"Kustel"},
      {"cut at the first of several dots", u"/opt/KUSTEL.tar.gz", u"Kustel"},
      {"a dot in a folder does not cut", u"/opt/Kustel.app/bin/KUSTEL", u"Kustel"},
      {"the first character becomes a capital", u"/usr/bin/mEINPROGRAMM", u"Meinprogramm"},
      {"umlauts in either place", u"/usr/local/bin/äRGERÖL", u"Ärgeröl"},
      {"other characters stay", u"/usr/bin/KUSTEL-2_NEU", u"Kustel-2_neu"},
      {"a name that starts with a dot", u"/home/anna/.kustel", u""},
      {"a path ending in its folder", u"/usr/bin/", u""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ApplicationTitle(row.programPath), row.title);
  }
}

}  // namespace
}  // namespace kustel
