#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/name_codec.h"
#include "platform/posix/local_time.h"
#include "platform/posix/native_rename.h"
#include "tests/support/temp_folder.h"

// CMake puts tests/support/posix on the include path.
#include "local_time_zone.h"

namespace kustel {
namespace {

using Names = std::vector<std::string>;

class PosixFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override { PinBerlinTime(); }

  TempFolder folder;
  NativeFileSystem files;
};

TEST_F(PosixFileSystemTest, ExistingFileMeansAnythingButAFolderAfterFollowingLinks) {
  folder.WriteFile("scan.pdf", "content");
  folder.MakeFolder("belege");
  folder.MakeSymlink("to-file", "scan.pdf");
  folder.MakeSymlink("to-folder", "belege");
  folder.MakeSymlink("dangling", "nothing-here");
  const struct {
    const char* name;
    std::u16string path;
    bool exists;
  } rows[] = {
      {"link to a file", folder.TextPath("to-file"), true},
      {"link to a folder", folder.TextPath("to-folder"), false},
      {"dangling link", folder.TextPath("dangling"), false},
      {"path with half a surrogate pair", folder.TextPath("scan.pdf") + u"\xD83D", false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(files.StatusOf(row.path).IsExistingFile(), row.exists);
  }
}

TEST_F(PosixFileSystemTest, LastWriteTimeOfALinkIsThatOfItsTarget) {
  folder.WriteFile("scan.pdf");
  folder.SetLastWriteTime("scan.pdf", 1730813520);
  folder.MakeSymlink("link.pdf", "scan.pdf");
  EXPECT_EQ(files.StatusOf(folder.TextPath("link.pdf")).lastWriteTime,
            (LocalDateTime{2024, 11, 5, 14, 32}));
}

TEST_F(PosixFileSystemTest, LastWriteTimeOfNothingIsNothing) {
  folder.MakeSymlink("dangling", "nothing-here");
  EXPECT_EQ(files.StatusOf(folder.TextPath("missing.pdf")).lastWriteTime, std::nullopt);
  EXPECT_EQ(files.StatusOf(folder.TextPath("dangling")).lastWriteTime, std::nullopt);
}

TEST(ToLocalDateTime, FarMomentsGiveAYearOrNothingButNeverOverflow) {
  PinBerlinTime();
  const struct {
    const char* name;
    time_t moment;
    std::optional<LocalDateTime> local;
  } rows[] = {
      {"year 100000", 3093554727120, LocalDateTime{100000, 11, 5, 14, 32}},
      {"before 1900", -2208988800 - 86400, LocalDateTime{1899, 12, 31, 1, 0}},
      // The calendar year lies just above int32 although the system's year field holds it.
      {"year beyond int32", 67768036141651200, std::nullopt},
      {"largest moment", std::numeric_limits<time_t>::max(), std::nullopt},
      {"smallest moment", std::numeric_limits<time_t>::min(), std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(ToLocalDateTime(row.moment), row.local);
  }
}

// Every way of renaming, and the file system that picks one, must keep whatever lies at the new
// name. Each runs on a real folder; `way` is empty for the file system's own choice.
struct RenameWayParam {
  const char* name;
  RenameWay way;
};

void PrintTo(const RenameWayParam& param, std::ostream* out) {
  *out << param.name;
}

class RenameWayTest : public ::testing::TestWithParam<RenameWayParam> {
 protected:
  RenameResult Rename(const std::string& from, const std::string& to) {
    return RenameIn(folder, from, to);
  }

  static RenameResult RenameIn(const TempFolder& place, const std::string& from,
                               const std::string& to) {
    const std::string fromPath = place.Path(from);
    const std::string toPath = place.Path(to);
    if (GetParam().way == nullptr) {
      NativeFileSystem files;
      return files.RenameNoReplace(BytesToText(fromPath), BytesToText(toPath));
    }
    const std::optional<RenameResult> result = GetParam().way(fromPath.c_str(), toPath.c_str());
    if (!result) ADD_FAILURE() << "this way is not offered by the file system of " << place.path();
    return result.value_or(RenameResult::kFailed);
  }

  TempFolder folder;
};

const RenameWayParam kEveryWay[] = {
    {"NativeFileSystem", nullptr},
    {"RenameExclusive", RenameExclusive},
    {"RenameThroughLink", RenameThroughLink},
    {"RenameAfterCheck", RenameAfterCheck},
};

TEST_P(RenameWayTest, MovesTheFileToAFreeName) {
  folder.WriteFile("scan.pdf", "content");
  EXPECT_EQ(Rename("scan.pdf", "2024-11-05-scan.pdf"), RenameResult::kRenamed);
  EXPECT_EQ(folder.Names(), Names{"2024-11-05-scan.pdf"});
  EXPECT_EQ(folder.ReadFile("2024-11-05-scan.pdf"), "content");
}

TEST_P(RenameWayTest, KeepsWhateverIsAtTheNewName) {
  const struct {
    const char* name;
    std::function<void(const TempFolder&)> putTarget;
    std::function<void(const TempFolder&)> checkTarget;
  } rows[] = {
      {"a file", [](const TempFolder& f) { f.WriteFile("target", "theirs"); },
       [](const TempFolder& f) { EXPECT_EQ(f.ReadFile("target"), "theirs"); }},
      {"a folder", [](const TempFolder& f) { f.MakeFolder("target"); },
       [](const TempFolder& f) { EXPECT_TRUE(std::filesystem::is_directory(f.Path("target"))); }},
      // A plain rename would replace the link, as it names no file the existence test sees.
      {"a dangling link", [](const TempFolder& f) { f.MakeSymlink("target", "nothing-here"); },
       [](const TempFolder& f) { EXPECT_EQ(f.LinkTarget("target"), "nothing-here"); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder fresh;
    fresh.WriteFile("scan.pdf", "ours");
    row.putTarget(fresh);
    EXPECT_EQ(RenameIn(fresh, "scan.pdf", "target"), RenameResult::kTargetExists);
    EXPECT_EQ(fresh.Names(), (Names{"scan.pdf", "target"}));
    EXPECT_EQ(fresh.ReadFile("scan.pdf"), "ours");
    row.checkTarget(fresh);
  }
}

TEST_P(RenameWayTest, RenamesALinkItselfAndNotItsTarget) {
  folder.WriteFile("scan.pdf", "content");
  folder.MakeSymlink("link.pdf", "scan.pdf");
  EXPECT_EQ(Rename("link.pdf", "2024-11-05-link.pdf"), RenameResult::kRenamed);
  EXPECT_EQ(folder.Names(), (Names{"2024-11-05-link.pdf", "scan.pdf"}));
  EXPECT_EQ(folder.LinkTarget("2024-11-05-link.pdf"), "scan.pdf");
  EXPECT_EQ(folder.ReadFile("scan.pdf"), "content");
}

TEST_P(RenameWayTest, TellsWhyTheSystemRefused) {
  // Names of more than 255 bytes are refused by every Linux file system, also to root.
  folder.WriteFile("scan.pdf", "content");
  EXPECT_EQ(Rename("missing.pdf", "2024-11-05-missing.pdf"), RenameResult::kSourceGone);
  EXPECT_EQ(Rename("scan.pdf", std::string(256, 'x')), RenameResult::kNameTooLong);
  EXPECT_EQ(folder.Names(), Names{"scan.pdf"});
  EXPECT_EQ(folder.ReadFile("scan.pdf"), "content");
}

INSTANTIATE_TEST_SUITE_P(AllWays, RenameWayTest, ::testing::ValuesIn(kEveryWay),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PosixFileSystemTest, RenameRefusesNewNamesWithHalfASurrogatePair) {
  folder.WriteFile("scan.pdf", "content");
  EXPECT_EQ(files.RenameNoReplace(folder.TextPath("scan.pdf"), folder.TextPath("x") + u"\xD83D"),
            RenameResult::kInvalidName);
  EXPECT_EQ(folder.Names(), Names{"scan.pdf"});
}

TEST_F(PosixFileSystemTest, RenameKeepsNamesByteForByte) {
  const std::string name =
      "M\xFC"
      "ller \xF0\x9F\x93\x84.pdf";  // Latin-1 byte, then an emoji
  folder.WriteFile(name, "content");
  EXPECT_EQ(files.RenameNoReplace(folder.TextPath(name), folder.TextPath("2024-11-05-" + name)),
            RenameResult::kRenamed);
  EXPECT_EQ(folder.Names(), Names{"2024-11-05-" + name});
}

// The choice among the ways, with ways that report what a file system without them reports.
std::vector<std::string> tried;

std::optional<RenameResult> NotOffered(const char*, const char*) {
  tried.push_back("not offered");
  return std::nullopt;
}
std::optional<RenameResult> Refuses(const char*, const char*) {
  tried.push_back("refuses");
  return RenameResult::kFailed;
}
std::optional<RenameResult> Renames(const char*, const char*) {
  tried.push_back("renames");
  return RenameResult::kRenamed;
}

TEST(RenameByFirstOfferedWay, GoesOnOnlyWhileAWayIsNotOffered) {
  const struct {
    const char* name;
    std::vector<RenameWay> ways;
    RenameResult result;
    std::vector<std::string> tried;
  } rows[] = {
      {"first offered way renames",
       {NotOffered, Renames, Refuses},
       RenameResult::kRenamed,
       {"not offered", "renames"}},
      {"an offered refusal stands", {Refuses, Renames}, RenameResult::kFailed, {"refuses"}},
      {"no way offered",
       {NotOffered, NotOffered},
       RenameResult::kFailed,
       {"not offered", "not offered"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    tried.clear();
    EXPECT_EQ(RenameByFirstOfferedWay(row.ways, "a", "b"), row.result);
    EXPECT_EQ(tried, row.tried);
  }
}

}  // namespace
}  // namespace kustel
