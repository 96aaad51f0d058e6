#include "platform/path_split.h"

#include <gtest/gtest.h>

namespace kustel {
namespace {

struct SplitRow {
  const char* name;
  std::u16string path;
  PathParts parts;
};

TEST(SplitPosixPath, CutsAfterTheLastSlashOnly) {
  const SplitRow rows[] = {
      {"full path", u"/home/anna/scan.pdf", {u"/home/anna/", u"scan.pdf"}},
      {"bare name", u"scan.pdf", {u"", u"scan.pdf"}},
      {"relative path", u"belege/scan.pdf", {u"belege/", u"scan.pdf"}},
      {"trailing slash leaves no name", u"/home/anna/", {u"/home/anna/", u""}},
      {"root", u"/", {u"/", u""}},
      {"empty", u"", {u"", u""}},
      {"backslash and colon are name characters",
       u"/home/anna/C:\\Belege\\scan.pdf",
       {u"/home/anna/", u"C:\\Belege\\scan.pdf"}},
      {"double slash", u"/home//scan.pdf", {u"/home//", u"scan.pdf"}},
  };
  for (const SplitRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(SplitPosixPath(row.path), row.parts);
  }
}

TEST(SplitWin32Path, CutsAfterTheLastBackslashSlashOrColon) {
  const SplitRow rows[] = {
      {"full path", u"C:\\Belege\\scan.pdf", {u"C:\\Belege\\", u"scan.pdf"}},
      {"drive-relative path", u"C:scan.pdf", {u"C:", u"scan.pdf"}},
      {"forward slashes", u"C:/Belege/scan.pdf", {u"C:/Belege/", u"scan.pdf"}},
      {"mixed separators, last one wins", u"C:\\a/b\\scan.pdf", {u"C:\\a/b\\", u"scan.pdf"}},
      {"UNC path", u"\\\\server\\share\\scan.pdf", {u"\\\\server\\share\\", u"scan.pdf"}},
      {"stream name", u"C:\\scan.pdf:info", {u"C:\\scan.pdf:", u"info"}},
      {"bare name", u"scan.pdf", {u"", u"scan.pdf"}},
      {"trailing backslash leaves no name", u"C:\\Belege\\", {u"C:\\Belege\\", u""}},
      {"empty", u"", {u"", u""}},
  };
  for (const SplitRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(SplitWin32Path(row.path), row.parts);
  }
}

}  // namespace
}  // namespace kustel
