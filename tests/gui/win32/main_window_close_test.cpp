// Leaving the Win32 main window: the close button's checks with their messages, the save and the
// end when they pass; closing by any other means (the close box, the system menu, Alt+F4) saving
// once without checks. The checks' order and texts are the rules' own
// (tests/gui/main_form_test.cpp); here the real window must refuse and stay, or save and go.

#include "engine/prefix_formats.h"
#include "tests/gui/win32/main_window_world.h"

namespace kustel {
namespace {

using MainWindowCloseTest = MainWindowWorld;

TEST_F(MainWindowCloseTest, TheCloseButtonChecksThenSavesOnceAndCloses) {
  const struct {
    const char* name;
    const char* stored;
    std::string message;  // empty: the checks pass, and the window saves and closes
    const char* saved;
  } rows[] = {
      {"chosen date without a date", "26000099999999xxx", "Wählen Sie ein Datum im Kalender aus",
       nullptr},
      {"chosen date with the last format quotes its label", "26100020250305xxx",
       "Die Option 'Gewähltes Datum' kann nicht gleichzeitig\n\nmit der Option '" +
           Utf8(FormatLabels(kUnderscore)[6]) + "' gewählt werden !",
       nullptr},
      {"free text without a text", "30000099999999xxx",
       "Sie haben keinen beliebigen Text vorgegeben!", nullptr},
      {"free text of blanks", "30000099999999   ", "", "30000099999999   "},
      {"file date and an empty text", "40000099999999xxx", "", "41000099999999xxx"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    log.clear();
    StoreSettings(row.stored);
    OpenShown();
    // Something changed, so that a save writes.
    if (row.saved != nullptr && std::string(row.saved) != row.stored) {
      SendMessageW(Control(kFormatRGroupItem0 + 1), BM_CLICK, 0, 0);
    }
    SendMessageW(Control(kCloseSBtn), BM_CLICK, 0, 0);
    Pump();
    if (row.message.empty()) {
      EXPECT_FALSE(WindowIsOpen());
      const std::vector<std::string> once{std::string("save ") + row.saved};
      EXPECT_EQ(log, row.saved == std::string(row.stored) ? std::vector<std::string>{} : once);
      EXPECT_EQ(StoredSettings(), row.saved);
    } else {
      EXPECT_TRUE(WindowIsOpen());
      EXPECT_EQ(log, std::vector<std::string>{"box " + row.message});
      ASSERT_EQ(boxes.size(), 1u);
      EXPECT_EQ(boxes[0].caption, u"Kustel");
      EXPECT_EQ(boxes[0].icon, BoxIcon::kNone);
      EXPECT_EQ(StoredSettings(), row.stored);
    }
    boxes.clear();
  }
}

TEST_F(MainWindowCloseTest, ClosingByAnyOtherMeansSavesOnceWithoutChecks) {
  const struct {
    const char* name;
    std::function<void(HWND)> close;
  } rows[] = {
      {"the close box", [](HWND main) { PostMessageW(main, WM_CLOSE, 0, 0); }},
      {"the system menu", [](HWND main) { PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"Alt+F4", [](HWND) { PostMessageW(GetFocus(), WM_SYSKEYDOWN, VK_F4, (1 << 29) | 1); }},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    log.clear();
    StoreSettings("30000099999999xxx");  // the close button would refuse
    OpenShown();
    SendMessageW(Control(kDatumRGroupItem0 + 1), BM_CLICK, 0, 0);
    row.close(window().Handle());
    Pump();
    EXPECT_FALSE(WindowIsOpen());
    EXPECT_EQ(log, std::vector<std::string>{"save 10000099999999xxx"});
  }
}

}  // namespace
}  // namespace kustel
