// Leaving the main window: the close button's three checks with their messages, the save and
// the end when they pass; the close box saving without checks; and the real message box.

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "engine/prefix_formats.h"
#include "platform/settings_backend.h"
#include "tests/gui/qt/main_form_world.h"

namespace kustel {
namespace {

using MainFormCloseTest = MainFormWorld;

OptionState Options(PrefixSource source, DateFormat format, FillCharacter fill,
                    std::u16string chosenDate, std::u16string freeText) {
  OptionState options;
  options.source = source;
  options.dateFormat = format;
  options.fillCharacter = fill;
  options.chosenDate = std::move(chosenDate);
  options.freeText = std::move(freeText);
  return options;
}

struct CloseRow {
  const char* name;
  OptionState options;
  std::string message;   // empty: the checks pass
  std::string composed;  // the settings text of the options
};

// The order and the texts of the checks are the window rules' (tests/gui/main_form_test.cpp);
// here the real window must show a refusal and stay open, and close and save when they pass.
const CloseRow kCloseRows[] = {
    {"chosen date with the last format quotes its label",
     Options(kChosenDate, 6, kUnderscore, u"05.03.2025", u""),
     "Die Option 'Gewähltes Datum' kann nicht gleichzeitig\n\nmit der Option '" +
         Utf8(FormatLabels(kUnderscore)[6]) + "' gewählt werden !",
     "26100020250305xxx"},
    {"chosen date with a date", Options(kChosenDate, 1, kHyphen, u"05.03.2025", u"Beleg"), "",
     "21000020250305Beleg"},
};

void PrintTo(const CloseRow& row, std::ostream* out) {
  *out << row.name;
}

class CloseButton : public MainFormWorld, public ::testing::WithParamInterface<CloseRow> {};

TEST_P(CloseButton, ChecksThenSavesAndEnds) {
  const CloseRow& row = GetParam();
  OpenShown();
  form().WriteOptions(row.options);
  form().Form().FuellzeichenComBoxChange();  // as choosing the fill character would
  Control<QPushButton>("CloseSBtn")->click();

  if (row.message.empty()) {
    EXPECT_TRUE(boxes.empty());
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(StoredSettings(), row.composed);
    EXPECT_EQ(log, (std::vector<std::string>{"save " + row.composed}));  // closing saves no more
  } else {
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(Utf8(boxes[0].text), row.message);
    EXPECT_EQ(boxes[0].caption, u"Kustel");
    EXPECT_EQ(boxes[0].icon, BoxIcon::kNone);
    EXPECT_TRUE(form().isVisible());
    EXPECT_EQ(StoredSettings(), "<nothing stored>");
    EXPECT_EQ(form().ReadOptions(), row.options);
  }
}

INSTANTIATE_TEST_SUITE_P(MainForm, CloseButton, ::testing::ValuesIn(kCloseRows),
                         [](const ::testing::TestParamInfo<CloseRow>& info) {
                           std::string name = info.param.name;
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

TEST_F(MainFormCloseTest, TheCloseBoxSavesWithoutChecksWhateverTheOptions) {
  for (const CloseRow& row : kCloseRows) {
    SCOPED_TRACE(row.name);
    log.clear();
    std::filesystem::remove(SettingsPath());
    OpenShown();
    form().WriteOptions(row.options);
    EXPECT_TRUE(form().close());
    EXPECT_FALSE(form().isVisible());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(log, (std::vector<std::string>{"save " + row.composed}));
    EXPECT_EQ(StoredSettings(), row.composed);
  }
}

TEST_F(MainFormCloseTest, ClosingWithTheStoredOptionsUnchangedWritesNothing) {
  StoreSettings("21100020241123Beleg");
  OpenShown();
  Control<QPushButton>("CloseSBtn")->click();
  EXPECT_FALSE(form().isVisible());
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(StoredSettings(), "21100020241123Beleg");
}

TEST_F(MainFormCloseTest, AFailedSaveIsReportedAndTheWindowClosesAllTheSame) {
  backend_->writeFails = true;
  for (const char* how : {"close button", "close box"}) {
    SCOPED_TRACE(how);
    boxes.clear();
    OpenShown();
    if (std::string(how) == "close button")
      Control<QPushButton>("CloseSBtn")->click();
    else
      form().close();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, SettingsSaveFailedText());
    EXPECT_FALSE(form().isVisible());
  }
}

TEST_F(MainFormCloseTest, TheRealMessageBoxHasTheTitleOneOkButtonAndNoIcon) {
  SetMessageBoxHook(nullptr);
  OpenShown();
  form().WriteOptions(Options(kChosenDate, 0, 0, u"", u""));
  struct Seen {
    bool found = false;
    QString caption, text;
    QMessageBox::Icon icon = QMessageBox::Warning;
    QStringList buttons;
    bool ok = false;
  } seen;
  QTimer::singleShot(0, [&seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) {
      if (QWidget* other = QApplication::activeModalWidget()) other->close();
      return;
    }
    seen.found = true;
    seen.caption = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    for (QAbstractButton* button : box->buttons()) seen.buttons << button->text();
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    seen.ok = ok != nullptr;
    (ok ? ok : box->buttons().value(0))->click();
  });
  Control<QPushButton>("CloseSBtn")->click();

  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.caption, "Kustel");
  EXPECT_EQ(seen.text, "Wählen Sie ein Datum im Kalender aus");
  EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
  EXPECT_EQ(seen.buttons.size(), 1);
  EXPECT_TRUE(seen.ok);
  EXPECT_TRUE(form().isVisible());  // after OK the window stays open
}

}  // namespace
}  // namespace kustel
