// PrefixFile on what only POSIX file systems have: names that are bytes, symbolic links, and a
// limit of 255 bytes for a name.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/engine/prefix_file_desk.h"

namespace kustel {
namespace {

TEST(PrefixFile, NamesAreCopiedByteForByte) {
  const OptionState options = FileDate(0, kHyphen, kKeep);
  ExpectRenamings({
      {"backslash and colon are name characters here", options, "a\\b:c.pdf",
       "2024-11-05-a\\b:c.pdf"},
      {"bytes that are not UTF-8", options, "M\xFCller\xFF.pdf", "2024-11-05-M\xFCller\xFF.pdf"},
  });
}

TEST(PrefixFile, RemoveUndoesWhatWasAddedToANameThatIsNoUtf8) {
  ExpectRemoveUndoesWhatWasAdded("M\xFCller\xFF.pdf");
}

TEST(PrefixFile, PassesOverLinksThatLeadToNoFile) {
  ExpectPassedOver({
      {"a link to a folder",
       [](TempFolder& f) {
         f.MakeFolder("belege");
         f.MakeSymlink("link", "belege");
       },
       "link"},
      {"a dangling link", [](TempFolder& f) { f.MakeSymlink("link", "nothing-here"); }, "link"},
  });
}

TEST(PrefixFile, ALinkToAFileIsRenamedItselfWithItsTargetsDate) {
  Desk desk;
  desk.PutFile("scan.pdf");
  desk.folder.MakeSymlink("link.pdf", "scan.pdf");
  desk.Prefix("link.pdf", FileDate(0, kHyphen, kKeep));
  EXPECT_EQ(desk.folder.Names(), (Names{"2024-11-05-link.pdf", "scan.pdf"}));
  EXPECT_EQ(desk.folder.LinkTarget("2024-11-05-link.pdf"), "scan.pdf");
}

TEST(PrefixFile, NeverReplacesALinkAtTheNewName) {
  // No file to the existence test, so only the rename itself can keep it.
  ExpectTargetKept({
      {"a dangling link under the new name", "scan.pdf", kKeep,
       [](TempFolder& f) { f.MakeSymlink("2024-11-05-scan.pdf", "theirs"); }, ""},
  });
}

TEST(PrefixFile, ANameTooLongForTheFileSystemIsReportedAndTheNextFileGoesOn) {
  // 248 bytes of name fit; with the 11 characters of the prefix they are more than the 255
  // bytes Linux allows in one name, while the path of 126 characters in the name stays far below
  // 260.
  Desk desk;
  std::string longName;
  for (int i = 0; i < 122; ++i) longName += "\xC3\xBC";  // ü, two bytes
  longName += ".pdf";
  desk.PutFile(longName);
  desk.PutFile("b.pdf");
  if (desk.folder.TextPath(longName).size() + 11 >= 260) GTEST_SKIP() << "folder path too long";
  EXPECT_EQ(desk.Prefix(longName, FileDate(0, kHyphen, kKeep)), PrefixOutcome::kRefused);
  EXPECT_EQ(desk.Prefix("b.pdf", FileDate(0, kHyphen, kKeep)), PrefixOutcome::kStamped);
  EXPECT_EQ(desk.folder.Names(), (Names{"2024-11-05-b.pdf", longName}));
  EXPECT_EQ(
      desk.messages.texts,
      Messages{u"Die Datei \u201E" + BytesToText(longName) +
               u"\u201C wurde nicht umbenannt: der neue Name ist für das Dateisystem zu lang."});
}

}  // namespace
}  // namespace kustel
