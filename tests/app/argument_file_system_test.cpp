#include "app/argument_file_system.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "tests/support/temp_folder.h"

namespace kustel {
namespace {

// 5 November 2024, 14:32 in Berlin.
constexpr time_t kMoment = 1730813520;

class ArgumentFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    folder.WriteFile("scan.pdf");
    folder.SetLastWriteTime("scan.pdf", kMoment);
    folder.MakeFolder("Ordner");
    folder.MakeSymlink("zur Datei", "scan.pdf");
    folder.MakeSymlink("zum Ordner", "Ordner");
    folder.MakeSymlink("ins Leere", "fehlt.pdf");
    folder.WriteFile("caf\xE9.pdf");
  }

  TempFolder folder;
  NativeFileSystem native;
};

TEST_F(ArgumentFileSystemTest, AnswersAsTheRealFileSystemDoes) {
  const char* names[] = {"scan.pdf",  "Ordner",    "zur Datei",  "zum Ordner",
                         "ins Leere", "fehlt.pdf", "caf\xE9.pdf"};
  for (const char* name : names) {
    SCOPED_TRACE(name);
    const std::u16string path = folder.TextPath(name);
    ArgumentFileSystem files(native);
    files.StartArgument(path);
    EXPECT_EQ(files.IsExistingFile(path), native.IsExistingFile(path));
    EXPECT_EQ(files.LastWriteTime(path), native.LastWriteTime(path));
    EXPECT_EQ(files.IsExistingFile(path), native.IsExistingFile(path));
  }
  // A text that names no file exactly: a lone surrogate that is no byte escape.
  const std::u16string unnamable = folder.TextPath("scan") + u"\xD800.pdf";
  ArgumentFileSystem files(native);
  files.StartArgument(unnamable);
  EXPECT_FALSE(files.IsExistingFile(unnamable));
  EXPECT_EQ(files.LastWriteTime(unnamable), std::nullopt);
}

TEST_F(ArgumentFileSystemTest, LooksAfreshAfterARenameAndForTheNextArgument) {
  ArgumentFileSystem files(native);
  const std::u16string scan = folder.TextPath("scan.pdf");
  const std::u16string stamped = folder.TextPath("2024-11-05-scan.pdf");
  files.StartArgument(scan);
  ASSERT_TRUE(files.IsExistingFile(scan));
  EXPECT_FALSE(files.IsExistingFile(stamped));  // other paths always ask the system
  EXPECT_EQ(files.RenameNoReplace(scan, stamped), RenameResult::kRenamed);
  EXPECT_FALSE(files.IsExistingFile(scan));
  EXPECT_TRUE(files.IsExistingFile(stamped));

  // The same path again as the next argument, after it changed behind the program's back.
  files.StartArgument(stamped);
  ASSERT_TRUE(files.IsExistingFile(stamped));
  ASSERT_EQ(unlink(folder.Path("2024-11-05-scan.pdf").c_str()), 0);
  files.StartArgument(stamped);
  EXPECT_FALSE(files.IsExistingFile(stamped));
}

}  // namespace
}  // namespace kustel
