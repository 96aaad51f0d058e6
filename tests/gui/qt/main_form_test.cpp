// The main window's option controls as the user works them: the combo boxes' typing and
// relabelling, the free-text limit, the calendar's clicks, the tab order and the two buttons'
// keys.

#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QtTest/QTest>
#include <functional>

#include "gui/qt/liz_dialog.h"
#include "tests/gui/qt/main_form_world.h"

namespace kustel {
namespace {

using MainFormTest = MainFormWorld;

const QStringList kHyphenLabels = LabelsOf(kHyphen);
const QStringList kUnderscoreLabels = LabelsOf(kUnderscore);
const QStringList kBlankLabels = LabelsOf(kBlank);

QStringList FormatLabelsShown(const MainWindow& form) {
  QStringList labels;
  for (int i = 0; i < kDateFormatCount; ++i)
    labels << form.findChild<QRadioButton*>(QStringLiteral("FormatRGroupItem%1").arg(i))->text();
  return labels;
}

// ---- combo boxes ----------------------------------------------------------------------------

struct TypedRow {
  const char* name;
  const char* combo;
  int startIndex;
  QString typed;
  int backspaces;
  QString text;      // the field afterwards
  QString selected;  // the completed rest, selected
  int index;
  const QStringList* labels;
};

const TypedRow kTypedRows[] = {
    {"u completes to Unterstrich, the u as typed", "FuellzeichenComBox", 0, "u", 0, "unterstrich",
     "nterstrich", 1, &kUnderscoreLabels},
    {"B completes to the first item beginning with it", "FuellzeichenComBox", 1, "B", 0,
     "Bindestrich", "indestrich", 0, &kHyphenLabels},
    {"bl goes on to Blank", "FuellzeichenComBox", 0, "bl", 0, "blank", "ank", 2, &kBlankLabels},
    {"x begins no item, so none is selected", "FuellzeichenComBox", 0, "x", 0, "x", "", -1,
     &kHyphenLabels},
    {"x after Blank brings the hyphen labels back", "FuellzeichenComBox", 2, "x", 0, "x", "", -1,
     &kHyphenLabels},
    {"a letter that ends every match leaves none", "FuellzeichenComBox", 0, "unx", 0, "unx", "", -1,
     &kHyphenLabels},
    {"Backspace takes the completion away and keeps the item", "FuellzeichenComBox", 0, "u", 1, "u",
     "", 1, &kUnderscoreLabels},
    {"Backspace down to nothing selects nothing", "FuellzeichenComBox", 0, "u", 2, "", "", -1,
     &kHyphenLabels},
    {"e in the second box completes to entfernen", "EinfgDelComBox", 0, "e", 0, "entfernen",
     "ntfernen", 1, &kHyphenLabels},
    {"z in the second box selects nothing there", "EinfgDelComBox", 0, "z", 0, "z", "", -1,
     &kHyphenLabels},
};

void PrintTo(const TypedRow& row, std::ostream* out) {
  *out << row.name;
}

class TypedIntoCombo : public MainFormWorld, public ::testing::WithParamInterface<TypedRow> {};

TEST_P(TypedIntoCombo, CompletesSelectsAndRelabels) {
  const TypedRow& row = GetParam();
  StoreSettings(row.startIndex == 0 ? "05000099999999xxx"
                                    : "050" + std::to_string(row.startIndex) + "0099999999xxx");
  if (std::string(row.combo) == "EinfgDelComBox") StoreSettings("05000099999999xxx");
  OpenShown();
  auto* combo = Control<QComboBox>(row.combo);
  combo->setFocus();
  combo->lineEdit()->selectAll();
  QTest::keyClicks(combo->lineEdit(), row.typed);
  for (int i = 0; i < row.backspaces; ++i) QTest::keyClick(combo->lineEdit(), Qt::Key_Backspace);

  EXPECT_EQ(combo->lineEdit()->text(), row.text);
  EXPECT_EQ(combo->lineEdit()->selectedText(), row.selected);
  EXPECT_EQ(combo->currentIndex(), row.index);
  EXPECT_EQ(combo->count(), std::string(row.combo) == "EinfgDelComBox" ? 2 : 3);
  EXPECT_EQ(FormatLabelsShown(form()), *row.labels);
  EXPECT_EQ(Control<QRadioButton>("FormatRGroupItem5")->isChecked(), true);  // stays selected
}

INSTANTIATE_TEST_SUITE_P(MainForm, TypedIntoCombo, ::testing::ValuesIn(kTypedRows),
                         [](const ::testing::TestParamInfo<TypedRow>& info) {
                           QString name = QString::fromUtf8(info.param.name);
                           name.replace(QRegularExpression("[^A-Za-z0-9]+"), "_");
                           return name.toStdString();
                         });

TEST_F(MainFormTest, ChosenFillCharactersRelabelAndKeepTheSelectedFormat) {
  OpenShown();
  auto* combo = Control<QComboBox>("FuellzeichenComBox");
  Control<QRadioButton>("FormatRGroupItem2")->click();

  // From the list, with the mouse.
  combo->showPopup();
  QListView* list = qobject_cast<QListView*>(combo->view());
  ASSERT_NE(list, nullptr);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualRect(list->model()->index(2, 0)).center());
  EXPECT_EQ(combo->currentIndex(), 2);
  EXPECT_EQ(FormatLabelsShown(form()), kBlankLabels);

  // With the arrow keys.
  combo->setFocus();
  QTest::keyClick(combo, Qt::Key_Up);
  EXPECT_EQ(combo->currentIndex(), 1);
  EXPECT_EQ(FormatLabelsShown(form()), kUnderscoreLabels);
  EXPECT_EQ(form().ReadOptions().dateFormat, 2);
  EXPECT_EQ(form().ReadOptions().fillCharacter, 1);
}

TEST_F(MainFormTest, TypedTextNeverBecomesAnItem) {
  OpenShown();
  auto* combo = Control<QComboBox>("FuellzeichenComBox");
  combo->setFocus();
  combo->lineEdit()->selectAll();
  QTest::keyClicks(combo->lineEdit(), "Strich");
  QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
  Control<QLineEdit>("BeliebigTextEdit")->setFocus();  // leaving the field changes nothing either
  EXPECT_EQ(combo->count(), 3);
  EXPECT_EQ(combo->currentIndex(), -1);
  EXPECT_EQ(combo->lineEdit()->text(), "Strich");
  EXPECT_EQ(form().ReadOptions().fillCharacter, -1);
}

// ---- free text ------------------------------------------------------------------------------

const QString kForty = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmn";

struct EditRow {
  const char* name;
  QString stored;
  std::function<void(QLineEdit*)> act;
  QString expected;
};

void Type(QLineEdit* edit, const QString& text) {
  QTest::keyClicks(edit, text);
}
void Paste(QLineEdit* edit, const QString& text) {
  QGuiApplication::clipboard()->setText(text);
  QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}

TEST_F(MainFormTest, TheFreeTextTakesTwentyFiveTypedCharactersButKeepsALongerStoredOne) {
  const EditRow rows[] = {
      {"a stored text of 40 shows whole", kForty, [](QLineEdit*) {}, kForty},
      {"typing at its end adds nothing", kForty,
       [](QLineEdit* edit) {
         edit->end(false);
         Type(edit, "z");
       },
       kForty},
      {"Backspace shortens it", kForty,
       [](QLineEdit* edit) {
         edit->end(false);
         QTest::keyClick(edit, Qt::Key_Backspace);
       },
       kForty.left(39)},
      {"shortened but still 25 or more, it takes nothing typed", kForty,
       [](QLineEdit* edit) {
         edit->end(false);
         QTest::keyClick(edit, Qt::Key_Backspace);
         Type(edit, "z");
       },
       kForty.left(39)},
      {"typing over a selection in it only deletes the selection", kForty,
       [](QLineEdit* edit) {
         edit->setSelection(0, 3);
         Type(edit, "z");
       },
       kForty.mid(3)},
      {"pasting into it adds nothing", kForty,
       [](QLineEdit* edit) {
         edit->end(false);
         Paste(edit, "123");
       },
       kForty},
      {"replacing it all starts afresh", kForty,
       [](QLineEdit* edit) {
         edit->selectAll();
         Type(edit, "neu");
       },
       "neu"},
      {"typing stops at 25", "", [](QLineEdit* edit) { Type(edit, kForty.left(30)); },
       kForty.left(25)},
      {"a paste is cut to the room left", "",
       [](QLineEdit* edit) {
         Type(edit, kForty.left(20));
         Paste(edit, "0123456789");
       },
       kForty.left(20) + "01234"},
      {"a paste in the middle keeps the text after it", "",
       [](QLineEdit* edit) {
         Type(edit, kForty.left(22));
         edit->setCursorPosition(2);
         Paste(edit, "0123456789");
       },
       "AB012CDEFGHIJKLMNOPQRSTUV"},
      {"undo cannot bring a cut text back past the limit", kForty,
       [](QLineEdit* edit) {
         edit->end(false);
         QTest::keyClick(edit, Qt::Key_Backspace);
         QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
       },
       kForty.left(39)},
  };
  for (const EditRow& row : rows) {
    SCOPED_TRACE(row.name);
    StoreSettings("35000099999999" + row.stored.toStdString());
    OpenShown();
    auto* edit = Control<QLineEdit>("BeliebigTextEdit");
    edit->setFocus();
    row.act(edit);
    EXPECT_EQ(edit->text(), row.expected);
    EXPECT_EQ(form().ReadOptions().freeText, FromQString(row.expected));
  }
}

// ---- calendar -------------------------------------------------------------------------------

QTableView* CalendarView(QCalendarWidget* calendar) {
  return calendar->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
}

// The first cell of the month grid that shows `day` (the days of the previous month that the
// grid shows first are all above 20).
QPoint DayCell(QCalendarWidget* calendar, int day) {
  QTableView* view = CalendarView(calendar);
  const QAbstractItemModel* model = view->model();
  for (int row = 1; row < model->rowCount(); ++row)
    for (int column = 1; column < model->columnCount(); ++column) {
      const QModelIndex cell = model->index(row, column);
      if (model->data(cell).toInt() == day) return view->visualRect(cell).center();
    }
  ADD_FAILURE() << "no cell for day " << day;
  return {};
}

TEST_F(MainFormTest, AClickAnywhereInTheCalendarWritesTheSelectedDate) {
  struct Row {
    const char* name;
    LocalDateTime today;
    std::function<void(QCalendarWidget*)> click;
    QString expected;
  };
  const auto clickDay = [](int day) {
    return [day](QCalendarWidget* calendar) {
      QTest::mouseClick(CalendarView(calendar)->viewport(), Qt::LeftButton, {},
                        DayCell(calendar, day));
    };
  };
  const auto clickButton = [](const char* name) {
    return [name](QCalendarWidget* calendar) {
      QTest::mouseClick(calendar->findChild<QToolButton*>(QLatin1String(name)), Qt::LeftButton);
    };
  };
  const Row rows[] = {
      {"a day", {2025, 3, 10, 8, 0}, clickDay(5), "05.03.2025"},
      {"the next month's arrow takes the day along",
       {2025, 3, 5, 8, 0},
       clickButton("qt_calendar_nextmonth"),
       "05.04.2025"},
      {"the previous month's arrow from the 31st",
       {2025, 3, 31, 8, 0},
       clickButton("qt_calendar_prevmonth"),
       "28.02.2025"},
      {"a week number",
       {2025, 3, 5, 8, 0},
       [](QCalendarWidget* calendar) {
         QTableView* view = CalendarView(calendar);
         QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                           view->visualRect(view->model()->index(2, 0)).center());
       },
       "05.03.2025"},
      {"a day of the next month shown greyed",
       {2025, 2, 20, 8, 0},
       [](QCalendarWidget* calendar) {
         QTableView* view = CalendarView(calendar);
         const QAbstractItemModel* model = view->model();
         const QModelIndex lastCell = model->index(model->rowCount() - 1, model->columnCount() - 1);
         QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                           view->visualRect(lastCell).center());
       },
       "09.03.2025"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    clock_.Set(row.today);
    OpenShown();
    auto* calendar = Control<QCalendarWidget>("MonthCalendar1");
    row.click(calendar);
    RunQueuedEvents();
    EXPECT_EQ(Control<QLabel>("DatumLabel")->text(), row.expected);
    EXPECT_EQ(FromQString(row.expected), form().ReadOptions().chosenDate);
  }
}

TEST_F(MainFormTest, KeyboardSelectionInTheCalendarLeavesTheChosenDate) {
  clock_.Set({2025, 3, 10, 8, 0});
  OpenShown();
  auto* calendar = Control<QCalendarWidget>("MonthCalendar1");
  QTableView* view = CalendarView(calendar);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, DayCell(calendar, 5));
  RunQueuedEvents();
  ASSERT_EQ(Control<QLabel>("DatumLabel")->text(), "05.03.2025");
  EXPECT_EQ(QApplication::focusWidget(), view);  // a click gives the calendar the focus

  for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_PageDown}) QTest::keyClick(view, key);
  RunQueuedEvents();
  EXPECT_EQ(calendar->selectedDate(), QDate(2025, 4, 13));
  EXPECT_EQ(Control<QLabel>("DatumLabel")->text(), "05.03.2025");
}

TEST_F(MainFormTest, TheCalendarShowsGermanNamesMondayFirst) {
  clock_.Set({2025, 3, 5, 8, 0});
  Open();
  QTableView* view = CalendarView(Control<QCalendarWidget>("MonthCalendar1"));
  const QAbstractItemModel* model = view->model();
  EXPECT_EQ(model->data(model->index(0, 1)).toString(), "Mo.");
  EXPECT_EQ(model->data(model->index(0, 7)).toString(), "So.");
  EXPECT_EQ(model->data(model->index(1, 0)).toString(), "9");  // 1 March 2025 is in ISO week 9
  auto* month = Control<QCalendarWidget>("MonthCalendar1")
                    ->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
  EXPECT_EQ(month->text(), "März");
}

// ---- keyboard -------------------------------------------------------------------------------

TEST_F(MainFormTest, TabVisitsTheOptionControlsInTheirOrderAndEntersGroupsAtTheirSelection) {
  struct Row {
    const char* name;
    const char* stored;  // nullptr: nothing stored
    const char* datumItem;
    const char* formatItem;
  };
  const Row rows[] = {
      {"start values", nullptr, "DatumRGroupItem0", "FormatRGroupItem5"},
      {"stored selections", "32000099999999Text", "DatumRGroupItem3", "FormatRGroupItem2"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    if (row.stored) StoreSettings(row.stored);
    OpenShown();
    ASSERT_EQ(QApplication::focusWidget(), Control<QWidget>("FuellzeichenComBox"));
    const char* const order[] = {"EinfgDelComBox", "BeliebigTextEdit", row.datumItem,
                                 row.formatItem,   "lboxFiles",        "FuellzeichenComBox"};
    for (const char* next : order) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      EXPECT_EQ(QApplication::focusWidget()->objectName(), QLatin1String(next));
    }
  }
}

TEST_F(MainFormTest, ArrowKeysMoveTheSelectionInsideAGroupAndTabFollowsIt) {
  OpenShown();
  auto* first = Control<QRadioButton>("DatumRGroupItem0");
  first->setFocus(Qt::TabFocusReason);
  QTest::keyClick(first, Qt::Key_Down);
  EXPECT_EQ(form().ReadOptions().source, 1);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "DatumRGroupItem1");

  Control<QLineEdit>("BeliebigTextEdit")->setFocus(Qt::TabFocusReason);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "DatumRGroupItem1");
}

TEST_F(MainFormTest, TheButtonsNeverTakeTheFocus) {
  StoreSettings("25000099999999xxx");  // chosen date, none picked: the close button only warns
  OpenShown();
  for (const char* name : {"InfoSBtn", "CloseSBtn"})
    EXPECT_EQ(Control<QWidget>(name)->focusPolicy(), Qt::NoFocus) << name;
  auto* edit = Control<QLineEdit>("BeliebigTextEdit");
  edit->setFocus();
  QTest::mouseClick(Control<QPushButton>("CloseSBtn"), Qt::LeftButton);
  EXPECT_EQ(QApplication::focusWidget(), edit);
  EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(MainFormTest, AltAndBareLettersPressTheButtonsWhereNoTextIsTyped) {
  struct Row {
    const char* name;
    const char* focus;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* pressed;  // "close", "info" or "" (the letter went into the control)
  };
  const Row rows[] = {
      {"Alt+S in the text field", "BeliebigTextEdit", Qt::Key_S, Qt::AltModifier, "close"},
      {"Alt+I in a combo box", "FuellzeichenComBox", Qt::Key_I, Qt::AltModifier, "info"},
      {"S on a radio item", "DatumRGroupItem2", Qt::Key_S, Qt::NoModifier, "close"},
      {"shifted S on a format item", "FormatRGroupItem5", Qt::Key_S, Qt::ShiftModifier, "close"},
      {"I on the drop area", "lboxFiles", Qt::Key_I, Qt::NoModifier, "info"},
      {"S on the drop area", "lboxFiles", Qt::Key_S, Qt::NoModifier, "close"},
      {"I on the calendar", "qt_calendar_calendarview", Qt::Key_I, Qt::NoModifier, "info"},
      {"S typed into the text field", "BeliebigTextEdit", Qt::Key_S, Qt::NoModifier, ""},
      {"I typed into a combo box", "EinfgDelComBox", Qt::Key_I, Qt::NoModifier, ""},
      {"Ctrl+S on a radio item", "DatumRGroupItem2", Qt::Key_S, Qt::ControlModifier, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    boxes.clear();
    StoreSettings("25000099999999xxx");  // chosen date, none picked: the close button only warns
    OpenShown();
    LizDialog dialog;
    form().SetInfoDialog(&dialog);
    QString infoCaption;
    QTimer::singleShot(0, [&infoCaption] {
      if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        infoCaption = open->windowTitle();
        open->done(0);
      }
    });
    QWidget* focus = Control<QWidget>(row.focus);
    focus->setFocus(Qt::TabFocusReason);  // as Tab puts it there: a field's text is selected
    ASSERT_EQ(QApplication::focusWidget(), focus);
    QTest::keyClick(focus, row.key, row.modifiers);
    RunQueuedEvents();

    const std::string pressed = row.pressed;
    EXPECT_EQ(boxes.size(), pressed == "close" ? 1u : 0u);
    if (pressed == "info")
      EXPECT_EQ(infoCaption, "  Bedienung und Lizenzvereinbarung - Version " +
                                 ToQString(form().Form().VersionText()));
    else
      EXPECT_EQ(infoCaption, "");
    EXPECT_TRUE(form().isVisible());
    if (pressed.empty() && row.modifiers == Qt::NoModifier) {
      auto* edit = qobject_cast<QLineEdit*>(focus);
      auto* combo = qobject_cast<QComboBox*>(focus);
      const QString text = edit ? edit->text() : combo->lineEdit()->text();
      EXPECT_TRUE(text.startsWith(QTest::keyToAscii(row.key), Qt::CaseInsensitive))
          << text.toStdString();
    }
  }
}

}  // namespace
}  // namespace kustel
