// Files dropped on the Win32 main window, as the shell drops them: a WM_DROPFILES with a drop
// handle the shell built. Only the drop area takes them; the names are read and the handle given
// back while the drop message is handled, and stamped only once it has returned, in drop order,
// after one save. The drop sequence itself is the rules' own (tests/gui/main_form_test.cpp).

#include <thread>

#include "tests/gui/win32/main_window_world.h"

// CMake puts tests/support/win32 on the include path.
#include "program_run.h"

namespace kustel {
namespace {

using MainWindowDropTest = MainWindowWorld;

const std::string kTooLong = "box Pfad + Dateiname sind zu lang, max. 256 Zeichen sind zulässig";

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
  EXPECT_GE(folder.TextPath(relative).size(), 260u);
  return relative;
}

TEST_F(MainWindowDropTest, ThreeFilesAreStampedInDropOrderAfterOneSaveOnceTheDropHasReturned) {
  for (const char* name : {"c.txt", "a.txt", "Grüße.txt"}) folder.WriteFile(name);
  Open();
  const HWND list = Control(kLboxFiles);
  SendMessageW(
      list, WM_DROPFILES,
      reinterpret_cast<WPARAM>(MakeDrop(
          {folder.TextPath("c.txt"), folder.TextPath("Grüße.txt"), folder.TextPath("a.txt")})),
      0);
  // The drop message has returned and nothing was done yet: the file manager is free.
  EXPECT_TRUE(log.empty());
  Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"save 05000099999999xxx", "rename c.txt",
                                           "rename Grüße.txt", "rename a.txt"}));
  EXPECT_EQ(folder.Names(),
            (std::vector<std::string>{"241105 - Grüße.txt", "241105 - a.txt", "241105 - c.txt"}));
  EXPECT_EQ(StoredSettings(), "05000099999999xxx");
  // The drop area's lines stay as they are.
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 4);
}

TEST_F(MainWindowDropTest, AFolderIsPassedOverAndATooLongNameRefusedWhileTheRestGoesOn) {
  folder.MakeFolder("Ordner");
  folder.WriteFile("b.txt");
  const std::string tooLong = MakeTooLongPath(folder);
  Open();
  SendMessageW(
      Control(kLboxFiles), WM_DROPFILES,
      reinterpret_cast<WPARAM>(MakeDrop(
          {folder.TextPath("Ordner"), folder.TextPath(tooLong), folder.TextPath("b.txt")})),
      0);
  Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"save 05000099999999xxx", kTooLong, "rename b.txt"}));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, u"Kustel");
  EXPECT_EQ(boxes[0].icon, BoxIcon::kNone);
  EXPECT_TRUE(std::filesystem::exists(folder.NativePath("Ordner")));
  EXPECT_TRUE(std::filesystem::exists(folder.NativePath(tooLong)));
}

// The drops the window refuses are followed by one it takes, which its queue handles after any it
// took wrongly: once the later drop is stamped, a wrongly taken one would show.
TEST_F(MainWindowDropTest, OnlyTheDropAreaTakesFiles) {
  folder.WriteFile("a.txt");
  folder.WriteFile("later.txt");
  Open();
  // The drop area alone is a target the shell drops on.
  std::vector<int> targets;
  EnumChildWindows(
      window().Handle(),
      [](HWND child, LPARAM found) {
        if (GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_ACCEPTFILES)
          reinterpret_cast<std::vector<int>*>(found)->push_back(GetDlgCtrlID(child));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&targets));
  EXPECT_EQ(targets, std::vector<int>{kLboxFiles});
  EXPECT_FALSE(GetWindowLongPtrW(window().Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

  // A drop message reaching any other window does nothing.
  for (const HWND other : {window().Handle(), Control(kMonthCalendar1), Control(kPanel1),
                           Control(kBeliebigTextEdit)}) {
    const HDROP drop = MakeDrop({folder.TextPath("a.txt")});
    SendMessageW(other, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    DragFinish(drop);  // nobody took it
  }
  SendMessageW(Control(kLboxFiles), WM_DROPFILES,
               reinterpret_cast<WPARAM>(MakeDrop({folder.TextPath("later.txt")})), 0);
  Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"save 05000099999999xxx", "rename later.txt"}));
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"241105 - later.txt", "a.txt"}));
}

// A failure the program does not handle, raised while a drop is stamped, shows in the error box;
// the window stays and takes the next drop.
TEST_F(MainWindowDropTest, AFailureInTheDropShowsTheErrorBoxAndTheWindowGoesOn) {
  for (const char* name : {"a.txt", "b.txt"}) folder.WriteFile(name);
  files_.failingName = u"a.txt";
  Open();
  SendMessageW(Control(kLboxFiles), WM_DROPFILES,
               reinterpret_cast<WPARAM>(MakeDrop({folder.TextPath("a.txt")})), 0);
  Pump();
  EXPECT_EQ(
      boxes,
      (std::vector<ShownBox>{{u"Kustel", u"Das Laufwerk ist nicht bereit.", BoxIcon::kError}}));
  files_.failingName.clear();
  SendMessageW(Control(kLboxFiles), WM_DROPFILES,
               reinterpret_cast<WPARAM>(MakeDrop({folder.TextPath("b.txt")})), 0);
  Pump();
  EXPECT_TRUE(WindowIsOpen());
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"241105 - b.txt", "a.txt"}));
}

// The real box: owned by the main window, which it disables while it waits for OK. A drop that
// arrives meanwhile is read at once, and stamped after every name of the first.
TEST_F(MainWindowDropTest, ADropArrivingWhileABoxIsOpenWaitsItsTurn) {
  SetMessageBoxHook(nullptr);
  const std::string tooLong = MakeTooLongPath(folder);
  for (const char* name : {"a.txt", "b.txt", "c.txt"}) folder.WriteFile(name);
  OpenShown();
  const HWND list = Control(kLboxFiles);
  const HWND main = window().Handle();
  std::vector<SeenBox> seen;
  bool mainDisabled = false;
  std::thread user([&] {
    // Waits for the box, drops again while it is open, then answers it.
    std::vector<HWND> open;
    for (int i = 0; i < 500 && open.empty(); ++i) {
      open = BoxesOf(GetCurrentProcessId());
      if (open.empty()) Sleep(10);
    }
    if (open.empty()) return;
    seen.push_back(ReadBox(open[0]));
    mainDisabled = !IsWindowEnabled(main);
    SendMessageW(list, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({folder.TextPath("c.txt")})),
                 0);
    AnswerBox(open[0]);
  });
  SendMessageW(list, WM_DROPFILES,
               reinterpret_cast<WPARAM>(MakeDrop(
                   {folder.TextPath("a.txt"), folder.TextPath(tooLong), folder.TextPath("b.txt")})),
               0);
  Pump();  // the first drop: a, the box (the second drop arrives), b; then the second drop
  user.join();
  Pump();
  const SeenBox tooLongBox{u"Kustel", Text(kTooLong.substr(4))};
  EXPECT_EQ(seen, std::vector<SeenBox>{tooLongBox});
  EXPECT_TRUE(mainDisabled);
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_EQ(log, (std::vector<std::string>{"save 05000099999999xxx", "rename a.txt", "rename b.txt",
                                           "save 05000099999999xxx", "rename c.txt"}));
}

}  // namespace
}  // namespace kustel
