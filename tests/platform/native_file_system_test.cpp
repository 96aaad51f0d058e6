// The file system of the system the program is built for, on a real temporary folder: what the
// naming engine relies on, alike on POSIX and on Windows.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "tests/support/temp_folder.h"

// CMake puts tests/support/posix or tests/support/win32 on the include path.
#include "local_time_zone.h"

namespace kustel {
namespace {

using Names = std::vector<std::string>;

class NativeFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override { PinBerlinTime(); }

  TempFolder folder;
  NativeFileSystem files;
};

TEST_F(NativeFileSystemTest, OneLookTellsWhatIsThere) {
  folder.WriteFile("scan.pdf");
  folder.SetLastWriteTime("scan.pdf", 1730813520);
  folder.MakeFolder("belege");
  folder.SetLastWriteTime("belege", 1730813520);
  const LocalDateTime written{2024, 11, 5, 14, 32};
  const FileStatus file = files.StatusOf(folder.TextPath("scan.pdf"));
  EXPECT_TRUE(file.exists && !file.isFolder);
  EXPECT_EQ(file.lastWriteTime, written);
  const FileStatus belege = files.StatusOf(folder.TextPath("belege"));
  EXPECT_TRUE(belege.exists && belege.isFolder);
  EXPECT_EQ(belege.lastWriteTime, written);
  const FileStatus nothing = files.StatusOf(folder.TextPath("missing.pdf"));
  EXPECT_FALSE(nothing.exists);
  EXPECT_EQ(nothing.lastWriteTime, std::nullopt);
}

TEST_F(NativeFileSystemTest, ExistingFileMeansAnythingButAFolder) {
  folder.WriteFile("scan.pdf", "content");
  folder.WriteFile("empty.pdf");
  folder.MakeFolder("belege");
  const struct {
    const char* name;
    std::u16string path;
    bool exists;
  } rows[] = {
      {"file", folder.TextPath("scan.pdf"), true},
      {"empty file", folder.TextPath("empty.pdf"), true},
      {"folder", folder.TextPath("belege"), false},
      {"folder with trailing slash", folder.TextPath("belege/"), false},
      {"missing", folder.TextPath("missing.pdf"), false},
      {"file with trailing slash", folder.TextPath("scan.pdf/"), false},
      {"empty path", u"", false},
      // The bytes before the NUL name a file; the whole path names none.
      {"path with a NUL", folder.TextPath("scan.pdf") + std::u16string(1, u'\0') + u"x", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(files.StatusOf(row.path).IsExistingFile(), row.exists);
  }
}

TEST_F(NativeFileSystemTest, LastWriteTimeUsesTheOffsetOfTheFilesOwnDate) {
  const struct {
    const char* name;
    time_t utc;
    LocalDateTime local;
  } rows[] = {
      {"winter, UTC+1", 1730813520, {2024, 11, 5, 14, 32}},
      {"summer, UTC+2", 1719837120, {2024, 7, 1, 14, 32}},
      {"just before the spring change", 1711845000, {2024, 3, 31, 1, 30}},
      {"just after the spring change", 1711848600, {2024, 3, 31, 3, 30}},
      {"new year's eve in UTC is new year here", 1704067140, {2024, 1, 1, 0, 59}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    folder.WriteFile("scan.pdf");
    folder.SetLastWriteTime("scan.pdf", row.utc);
    EXPECT_EQ(files.StatusOf(folder.TextPath("scan.pdf")).lastWriteTime, row.local);
  }
}

TEST_F(NativeFileSystemTest, RenameNeverReplacesAndTellsWhy) {
  const struct {
    const char* name;
    void (*put)(const TempFolder& folder);
    std::string from;
    RenameResult result;
    Names after;
  } rows[] = {
      {"a free name",
       [](const TempFolder&) {},
       "scan.pdf",
       RenameResult::kRenamed,
       {"2024-11-05-scan.pdf"}},
      {"a file at the new name",
       [](const TempFolder& f) { f.WriteFile("2024-11-05-scan.pdf", "theirs"); },
       "scan.pdf",
       RenameResult::kTargetExists,
       {"2024-11-05-scan.pdf", "scan.pdf"}},
      {"a folder at the new name",
       [](const TempFolder& f) { f.MakeFolder("2024-11-05-scan.pdf"); },
       "scan.pdf",
       RenameResult::kTargetExists,
       {"2024-11-05-scan.pdf", "scan.pdf"}},
      {"no file to rename",
       [](const TempFolder&) {},
       "missing.pdf",
       RenameResult::kSourceGone,
       {"scan.pdf"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder fresh;
    fresh.WriteFile("scan.pdf", "ours");
    row.put(fresh);
    EXPECT_EQ(
        files.RenameNoReplace(fresh.TextPath(row.from), fresh.TextPath("2024-11-05-scan.pdf")),
        row.result);
    EXPECT_EQ(fresh.Names(), row.after);
    const std::string ours =
        row.result == RenameResult::kRenamed ? "2024-11-05-scan.pdf" : "scan.pdf";
    EXPECT_EQ(fresh.ReadFile(ours), "ours");
  }
}

// New names that would rename the file onto its folder or onto some other name than the one
// given are refused before the system is asked.
TEST_F(NativeFileSystemTest, RenameRefusesNewNamesThatNameNoFile) {
  folder.WriteFile("scan.pdf", "content");
  const std::u16string from = folder.TextPath("scan.pdf");
  const struct {
    const char* name;
    std::u16string to;
  } rows[] = {
      {"empty path", u""},
      {"the folder itself", folder.TextPath("")},
      {"a path ending in a slash", folder.TextPath("other/")},
      {"a NUL that would cut the name short",
       folder.TextPath("x") + std::u16string(1, u'\0') + u"y"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(files.RenameNoReplace(from, row.to), RenameResult::kInvalidName);
    EXPECT_EQ(folder.Names(), Names{"scan.pdf"});
  }
}

}  // namespace
}  // namespace kustel
