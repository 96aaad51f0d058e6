// Files dropped on the real main window: only the drop area takes them, and what a file manager
// drags reaches the window rules as the paths it names, in drop order, whatever bytes a name
// holds. The drop sequence itself (saves, order, waiting drops) is the rules' own
// (tests/gui/main_form_test.cpp).

#include <sys/stat.h>
#include <QListWidget>

#include "platform/settings_backend.h"
#include "tests/gui/qt/main_form_world.h"

namespace kustel {
namespace {

using MainFormDropTest = MainFormWorld;

constexpr char kTooLong[] = "box Pfad + Dateiname sind zu lang, max. 256 Zeichen sind zulässig";

// A file whose full path has 260 characters or more.
std::string MakeTooLongPath(const TempFolder& folder) {
  std::string relative;
  for (int level = 0; level < 3; ++level) {
    relative += std::string(90, char('k' + level));
    folder.MakeFolder(relative);
    relative += "/";
  }
  relative += "lang.txt";
  folder.WriteFile(relative);
  EXPECT_GE(folder.Path(relative).size(), 260u);
  return relative;
}

QByteArray UriList(const std::vector<std::string>& urls) {
  QByteArray list;
  for (const std::string& url : urls) list += QByteArray::fromStdString(url) + "\r\n";
  return list;
}

TEST_F(MainFormDropTest, ADropIsSavedOnceThenEveryPathGoesToTheEngineInDropOrder) {
  folder.WriteFile("c.txt");
  folder.WriteFile("a.txt");
  const std::string tooLong = MakeTooLongPath(folder);
  Open();
  auto* list = Control<QListWidget>("lboxFiles");

  ASSERT_TRUE(DragAndDrop(list, FileUrl(folder.Path("c.txt")) + "\r\n" +
                                    FileUrl(folder.Path(tooLong)) + "\r\n" +
                                    FileUrl(folder.Path("a.txt")) + "\r\n"));

  // A message for the second name does not stop the third.
  EXPECT_EQ(log, (std::vector<std::string>{"save 05000099999999xxx", "rename c.txt", kTooLong,
                                           "rename a.txt"}));
  EXPECT_EQ(StoredSettings(), "05000099999999xxx");
  EXPECT_TRUE(std::filesystem::exists(folder.Path("241105 - a.txt")));
  EXPECT_TRUE(std::filesystem::exists(folder.Path("241105 - c.txt")));
  EXPECT_TRUE(std::filesystem::exists(folder.Path(tooLong)));
  // The drop area's lines stay as they are.
  ASSERT_EQ(list->count(), 4);
  EXPECT_EQ(list->item(1)->text(), " Zum Umbenennen");
}

TEST_F(MainFormDropTest, DroppedNamesReachTheEngineByteForByte) {
  struct Row {
    const char* name;
    std::string file;
  };
  const Row rows[] = {
      {"bytes that are not UTF-8", "b\xff\xfe.txt"},
      {"a percent sign and blanks", "50%s  x.pdf"},
      {"UTF-8 umlauts", "\xc3\xa4rger \xc3\x9f.txt"},
      {"URL delimiters", "a#b?c;d.txt"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    log.clear();
    folder.WriteFile(row.file, "content");
    Open();
    ASSERT_TRUE(DragAndDrop(Control<QWidget>("lboxFiles"), FileUrl(folder.Path(row.file))));
    EXPECT_EQ(folder.ReadFile("241105 - " + row.file), "content");
    EXPECT_FALSE(std::filesystem::exists(folder.Path(row.file)));
    EXPECT_TRUE(boxes.empty());
  }
}

TEST_F(MainFormDropTest, UrlsThatNameNoLocalFileArePassedOver) {
  folder.WriteFile("here.txt");
  folder.WriteFile("there.txt");
  Open();
  auto* list = Control<QWidget>("lboxFiles");
  const std::string local = FileUrl(folder.Path("here.txt")).toStdString();
  // Another host's path that happens to exist here too must not be touched.
  const std::string remote = "file://fileserver" + folder.Path("there.txt");

  // A drag with nothing local is refused: no save either, as the drop after it shows.
  EXPECT_FALSE(DragAndDrop(list, UriList({"https://example.org/a.txt", remote})));

  ASSERT_TRUE(DragAndDrop(list, UriList({"https://example.org/a.txt", remote, local,
                                         "file://localhost" + folder.Path("there.txt")})));
  EXPECT_EQ(log, (std::vector<std::string>{"save 05000099999999xxx", "rename here.txt",
                                           "rename there.txt"}));
}

// Each drop the window refuses is followed by one it takes, which its queue handles after any it
// took wrongly: once the later drop is stamped, a wrongly taken one would show.
TEST_F(MainFormDropTest, OnlyTheDropAreaTakesDropsAndOnlyOnceTheWindowIsCreated) {
  folder.WriteFile("a.txt");
  folder.WriteFile("later.txt");
  const QByteArray url = FileUrl(folder.Path("a.txt"));
  form_ = std::make_unique<MainWindow>(
      MainFormServices{files_, clock_, *settings_, messages_, kVersion});
  auto* list = Control<QListWidget>("lboxFiles");
  EXPECT_FALSE(DragAndDrop(list, url));  // before FormCreate

  form().Form().FormCreate();
  for (QWidget* control : form().findChildren<QWidget*>()) {
    if (control == list || control == list->viewport()) continue;
    EXPECT_FALSE(control->acceptDrops()) << control->objectName().toStdString();
  }
  EXPECT_FALSE(form().acceptDrops());
  EXPECT_FALSE(DragAndDrop(&form(), url));
  EXPECT_TRUE(log.empty());

  // A drag that can only move the files is refused: taking it would tell the file manager to
  // delete what it dragged.
  EXPECT_FALSE(DragAndDrop(list, url, Qt::MoveAction));
  EXPECT_TRUE(
      DragAndDrop(list, FileUrl(folder.Path("later.txt")), Qt::MoveAction | Qt::CopyAction));
  EXPECT_EQ(log, (std::vector<std::string>{"save 05000099999999xxx", "rename later.txt"}));
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"241105 - later.txt", "a.txt"}));
}

}  // namespace
}  // namespace kustel
