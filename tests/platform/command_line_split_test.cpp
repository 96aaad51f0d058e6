#include "platform/command_line_split.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kustel {
namespace {

using Pieces = std::vector<std::u16string>;

struct SplitCase {
  const char* name;
  std::u16string line;
  Pieces pieces;
};

TEST(SplitCommandLine, CutsAtBlanksOutsideQuotesWithoutAnEscapeCharacter) {
  const SplitCase rows[] = {
      {"as Wine and Explorer write it",
       u"\"Z:\\opt\\kustel\\kustel.exe\" \"C:\\Belege\\mit Leerzeichen.pdf\" C:\\b.pdf",
       {u"Z:\\opt\\kustel\\kustel.exe", u"C:\\Belege\\mit Leerzeichen.pdf", u"C:\\b.pdf"}},
      {"program path alone", u"kustel.exe", {u"kustel.exe"}},
      {"empty line", u"", {}},
      {"blanks only", u"   \t ", {}},
      {"runs of blanks between and after",
       u"kustel.exe   a.pdf  b.pdf   ",
       {u"kustel.exe", u"a.pdf", u"b.pdf"}},
      {"tab, line break and other control characters are blanks",
       u"kustel.exe\ta.pdf\r\nb.pdf\x01"
       u"c.pdf\x1F"
       u"d.pdf",
       {u"kustel.exe", u"a.pdf", u"b.pdf", u"c.pdf", u"d.pdf"}},
      {"code 127 and a non-breaking space are no blanks",
       u"kustel.exe a\x7F"
       u"b c\u00A0d",
       {u"kustel.exe",
        u"a\x7F"
        u"b",
        u"c\u00A0d"}},
      {"a quoted stretch inside a piece",
       u"kustel.exe C:\\\"mit Leerzeichen\"\\a.pdf",
       {u"kustel.exe", u"C:\\mit Leerzeichen\\a.pdf"}},
      {"a piece runs on after its closing quote",
       u"kustel.exe \"a b\"c d",
       {u"kustel.exe", u"a bc", u"d"}},
      {"umlauts and characters outside the BMP",
       u"kustel.exe Müller\U0001F4C4.pdf",
       {u"kustel.exe", u"Müller\U0001F4C4.pdf"}},
      {"the line ends at a NUL",
       std::u16string(u"kustel.exe a.pdf\0b.pdf", 23),
       {u"kustel.exe", u"a.pdf"}},
      {"an unclosed quote runs to the end of the line, blanks and all",
       u"kustel.exe \"C:\\mit Leerzeichen\\a.pdf b.pdf",
       {u"kustel.exe", u"C:\\mit Leerzeichen\\a.pdf b.pdf"}},
      // An empty argument ends the list of arguments (command-line mode stops there).
      {"a lone quote at the end gives an empty piece",
       u"kustel.exe a.pdf \"",
       {u"kustel.exe", u"a.pdf", u""}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(SplitCommandLine(row.line), row.pieces);
  }
}

// Where Kustel's rules part from CommandLineToArgvW; each row's comment says what that function
// gives instead.
TEST(SplitCommandLine, DiffersFromCommandLineToArgvWWhereItsRulesDo) {
  const SplitCase rows[] = {
      // a"b and c: there a backslash before a quote escapes it.
      {"a backslash before a quote is an ordinary character",
       u"kustel.exe a\\\"b c\"",
       {u"kustel.exe", u"a\\b c"}},
      // One argument, C:\Belege" b.pdf.
      {"a folder with a trailing backslash in quotes",
       u"kustel.exe \"C:\\Belege\\\" b.pdf",
       {u"kustel.exe", u"C:\\Belege\\", u"b.pdf"}},
      // a, an empty argument, b.
      {"a pair of quotes between arguments is skipped",
       u"kustel.exe a \"\" b",
       {u"kustel.exe", u"a", u"b"}},
      {"pairs of quotes before a piece are skipped, however many",
       u"kustel.exe \"\"\"\"a \"\"\"\" \"\"",
       {u"kustel.exe", u"a"}},
      // a"b: a pair inside quotes is one quote there.
      {"a pair of quotes inside a quoted piece closes and opens again",
       u"kustel.exe \"a\"\"b\"",
       {u"kustel.exe", u"ab"}},
      // C:\Programme\K: there the program path ends at its closing quote.
      {"the program path follows the same rules",
       u"\"C:\\Programme\\K\"ustel.exe\\\" a",
       {u"C:\\Programme\\Kustel.exe\\ a"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(SplitCommandLine(row.line), row.pieces);
  }
}

}  // namespace
}  // namespace kustel
