// The main window as it first shows: where every control stands, what it says, its colours and
// character heights, the window's frame, and the options it shows from the start values and the
// stored settings.

#include <sys/stat.h>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFontInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "tests/gui/qt/main_form_world.h"

namespace kustel {
namespace {

using MainFormLayoutTest = MainFormWorld;

QStringList RadioLabels(QGroupBox* group) {
  QStringList labels;
  for (auto* item : group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
    labels << item->text();
  return labels;
}

int CheckedItem(QGroupBox* group) {
  const auto items = group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
  for (int i = 0; i < items.size(); ++i)
    if (items[i]->isChecked()) return i;
  return -1;
}

QStringList ComboItems(QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  return items;
}

TEST_F(MainFormLayoutTest, EveryControlStandsWhereTheWindowDefinitionPutsIt) {
  struct Row {
    const char* name;
    const char* kind;
    const char* parent;
    QRect geometry;
  };
  const Row rows[] = {
      {"Panel1", "QFrame", "MainForm", {17, 25, 216, 212}},
      {"DatumRGroup", "QGroupBox", "Panel1", {8, 10, 198, 189}},
      {"MonthCalendar1", "QCalendarWidget", "MainForm", {256, 28, 198, 160}},
      {"Label3", "QLabel", "MainForm", {256, 194, 114, 16}},
      {"DatumLabel", "QLabel", "MainForm", {374, 194, 78, 16}},
      {"Panel2", "QFrame", "MainForm", {473, 28, 217, 236}},
      {"FormatRGroup", "QGroupBox", "Panel2", {17, 16, 185, 204}},
      {"Label4", "QLabel", "MainForm", {25, 243, 209, 16}},
      {"BeliebigTextEdit", "QLineEdit", "MainForm", {25, 265, 305, 24}},
      {"lboxFiles", "QListWidget", "MainForm", {25, 295, 136, 69}},
      {"InfoSBtn", "QPushButton", "MainForm", {248, 328, 41, 30}},
      {"CloseSBtn", "QPushButton", "MainForm", {295, 328, 129, 30}},
      {"Label1", "QLabel", "MainForm", {490, 298, 73, 16}},
      {"FuellzeichenComBox", "QComboBox", "MainForm", {569, 295, 106, 24}},
      {"Label2", "QLabel", "MainForm", {457, 328, 106, 16}},
      {"EinfgDelComBox", "QComboBox", "MainForm", {569, 325, 106, 24}},
  };
  Open();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    auto* control = Control<QWidget>(row.name);
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(control->inherits(row.kind));
    EXPECT_EQ(control->parentWidget()->objectName(), QLatin1String(row.parent));
    EXPECT_EQ(control->geometry(), row.geometry);
  }
}

TEST_F(MainFormLayoutTest, RadioItemsFillTheirGroupsInEqualRowsBelowTheCaption) {
  Open();
  struct Row {
    const char* group;
    int count;
    int top, step, width;
  };
  for (const Row& row : {Row{"DatumRGroup", 5, 19, 33, 188}, Row{"FormatRGroup", 7, 17, 26, 175}}) {
    SCOPED_TRACE(row.group);
    const auto items =
        Control<QGroupBox>(row.group)->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(items.size(), row.count);
    for (int i = 0; i < row.count; ++i)
      EXPECT_EQ(items[i]->geometry(), QRect(8, row.top + i * row.step, row.width, row.step)) << i;
  }
}

TEST_F(MainFormLayoutTest, TextsAndItemsAreTheProgramsOwn) {
  Open();
  struct Row {
    const char* name;
    QString text;
  };
  const Row texts[] = {
      {"Label3", "Gewähltes Datum"},
      {"DatumLabel", ""},
      {"Label4", "Beliebiger Text  (max.40 Zeichen )"},
      {"Label1", "Füllzeichen"},
      {"Label2", "Vorh.Datum/Text"},
  };
  for (const Row& row : texts) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Control<QLabel>(row.name)->text(), row.text);
  }
  EXPECT_EQ(Control<QPushButton>("InfoSBtn")->text(), "&Info");
  EXPECT_EQ(Control<QPushButton>("CloseSBtn")->text(), "&Schließen");
  EXPECT_EQ(Control<QGroupBox>("DatumRGroup")->title(), "  Vorangestellt wird ...");
  EXPECT_EQ(Control<QGroupBox>("FormatRGroup")->title(), "  Format Datum  ");
  EXPECT_EQ(RadioLabels(Control<QGroupBox>("DatumRGroup")),
            QStringList({"Heutiges Datum", "Dateidatum", "Gewähltes Datum", "Beliebiger Text",
                         "Dateidatum + bel.Text"}));
  EXPECT_EQ(RadioLabels(Control<QGroupBox>("FormatRGroup")),
            QStringList({"YYYY-MM-DD-...", "YYYYMMDD-...", "YYYYMMDD - ...", "YY-MM-DD-...",
                         "YYMMDD-...", "YYMMDD - ...", "YYMMDD-HHMM-..."}));
  EXPECT_EQ(ComboItems(Control<QComboBox>("FuellzeichenComBox")),
            QStringList({"Bindestrich", "Unterstrich", "Blank"}));
  EXPECT_EQ(ComboItems(Control<QComboBox>("EinfgDelComBox")),
            QStringList({"beibehalten", "entfernen"}));
  auto* list = Control<QListWidget>("lboxFiles");
  QStringList lines;
  for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
  EXPECT_EQ(lines, QStringList({"", " Zum Umbenennen", " Datei(en) auf dieses", " Feld ziehen "}));
}

TEST_F(MainFormLayoutTest, ColoursAndCharacterHeightsAreTheDefinitions) {
  Open();
  struct Colour {
    const char* name;
    QPalette::ColorRole role;
    QColor colour;
  };
  const Colour colours[] = {
      {"MainForm", QPalette::Window, QColor(218, 218, 218)},
      {"Panel1", QPalette::Window, QColor(192, 192, 192)},
      {"Panel2", QPalette::Window, QColor(192, 192, 192)},
      {"DatumRGroup", QPalette::WindowText, Qt::white},
      {"DatumRGroupItem0", QPalette::WindowText, Qt::white},
      {"DatumLabel", QPalette::Window, Qt::white},
      {"lboxFiles", QPalette::Base, QColor(185, 220, 255)},
      {"InfoSBtn", QPalette::ButtonText, Qt::black},
      {"CloseSBtn", QPalette::ButtonText, Qt::black},
  };
  for (const Colour& row : colours) {
    SCOPED_TRACE(row.name);
    auto* control = form().objectName() == row.name ? &form() : Control<QWidget>(row.name);
    for (auto group : {QPalette::Active, QPalette::Inactive})
      EXPECT_EQ(control->palette().color(group, row.role), row.colour);
  }
  for (const char* filled : {"Panel1", "Panel2", "DatumLabel"})
    EXPECT_TRUE(Control<QWidget>(filled)->autoFillBackground()) << filled;

  struct Height {
    const char* name;
    int pixels;
  };
  const Height heights[] = {
      {"MonthCalendar1", 11},   {"Panel1", 11},         {"DatumRGroup", 15},
      {"DatumRGroupItem4", 15}, {"FormatRGroup", 13},   {"FormatRGroupItem6", 13},
      {"Label3", 13},           {"DatumLabel", 13},     {"Label4", 13},
      {"BeliebigTextEdit", 13}, {"lboxFiles", 12},      {"InfoSBtn", 13},
      {"CloseSBtn", 13},        {"Label1", 13},         {"FuellzeichenComBox", 13},
      {"Label2", 13},           {"EinfgDelComBox", 13},
  };
  for (const Height& row : heights) {
    SCOPED_TRACE(row.name);
    const QFont font = Control<QWidget>(row.name)->font();
    EXPECT_EQ(font.family(), "Tahoma");
    EXPECT_EQ(font.pixelSize(), row.pixels);
  }
  EXPECT_EQ(form().font().pixelSize(), 11);

  auto* list = Control<QListWidget>("lboxFiles");
  for (int i = 0; i < list->count(); ++i)
    EXPECT_EQ(list->visualItemRect(list->item(i)).height(), 14);
  EXPECT_EQ(Control<QLabel>("DatumLabel")->alignment(), Qt::AlignCenter);
  for (const char* label : {"Label1", "Label2", "Label3", "Label4"})
    EXPECT_TRUE(Control<QLabel>(label)->alignment() & Qt::AlignVCenter) << label;
}

TEST_F(MainFormLayoutTest, TheWindowIsFixedInSizeCentredAndCaptioned) {
  MainWindow& window = Open();
  EXPECT_EQ(window.windowTitle(), "Programm KUSTEL  -  setzt Datum vor Dateinamen ");
  EXPECT_EQ(window.size(), QSize(712, 381));
  EXPECT_EQ(window.minimumSize(), window.size());
  EXPECT_EQ(window.maximumSize(), window.size());
  const Qt::WindowFlags flags = window.windowFlags();
  for (Qt::WindowType box : {Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint,
                             Qt::WindowCloseButtonHint, Qt::WindowTitleHint})
    EXPECT_TRUE(flags & box) << box;
  EXPECT_FALSE(window.isVisible());  // start-up decides whether it shows

  // Centred on the primary screen by its outer frame, halves truncated.
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const QRect outer = window.frameGeometry();
  EXPECT_LE(std::abs(2 * (outer.left() - screen.left()) + outer.width() - screen.width()), 1);
  EXPECT_LE(std::abs(2 * (outer.top() - screen.top()) + outer.height() - screen.height()), 1);
}

TEST_F(MainFormLayoutTest, WithoutStoredSettingsTheStartValuesShow) {
  Open();
  EXPECT_EQ(CheckedItem(Control<QGroupBox>("DatumRGroup")), 0);
  EXPECT_EQ(CheckedItem(Control<QGroupBox>("FormatRGroup")), 5);
  EXPECT_EQ(Control<QComboBox>("FuellzeichenComBox")->currentIndex(), 0);
  EXPECT_EQ(Control<QComboBox>("FuellzeichenComBox")->currentText(), "Bindestrich");
  EXPECT_EQ(Control<QComboBox>("EinfgDelComBox")->currentText(), "beibehalten");
  EXPECT_EQ(Control<QLabel>("DatumLabel")->text(), "");
  EXPECT_EQ(Control<QLineEdit>("BeliebigTextEdit")->text(), "");
  EXPECT_EQ(form().ReadOptions(), OptionState{});
  EXPECT_EQ(StoredSettings(), "<nothing stored>");  // opening the window writes nothing
}

TEST_F(MainFormLayoutTest, StoredSettingsShowInTheControlsAndRelabelTheFormats) {
  StoreSettings("20110020241123Beleg");
  struct stat before {};
  ASSERT_EQ(stat(SettingsPath().c_str(), &before), 0);
  Open();

  EXPECT_EQ(CheckedItem(Control<QGroupBox>("DatumRGroup")), 2);
  EXPECT_EQ(CheckedItem(Control<QGroupBox>("FormatRGroup")), 0);
  EXPECT_EQ(Control<QComboBox>("FuellzeichenComBox")->currentText(), "Unterstrich");
  EXPECT_EQ(Control<QComboBox>("EinfgDelComBox")->currentText(), "entfernen");
  EXPECT_EQ(Control<QLabel>("DatumLabel")->text(), "23.11.2024");
  EXPECT_EQ(Control<QLineEdit>("BeliebigTextEdit")->text(), "Beleg");
  EXPECT_EQ(RadioLabels(Control<QGroupBox>("FormatRGroup")),
            QStringList({"YYYY_MM_DD_...", "YYYYMMDD_...", "YYYYMMDD _ ...", "YY_MM_DD_...",
                         "YYMMDD_...", "YYMMDD _ ...", "YYMMDD_HHMM_..."}));
  // The calendar is not moved to the stored date; it shows today.
  EXPECT_EQ(Control<QCalendarWidget>("MonthCalendar1")->selectedDate(), QDate(2024, 11, 5));
  EXPECT_TRUE(boxes.empty());

  struct stat after {};
  ASSERT_EQ(stat(SettingsPath().c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(StoredSettings(), "20110020241123Beleg");
}

TEST_F(MainFormLayoutTest, AStoredChosenDateShowsAsWrittenNeverAsMarkup) {
  // The settings file is the user's to edit; its date part lands in the label verbatim.
  StoreSettings("050000<b>x</b>xxx");
  Open();
  auto* label = Control<QLabel>("DatumLabel");
  EXPECT_EQ(label->text(), "b>.</.<b>x");
  EXPECT_EQ(label->textFormat(), Qt::PlainText);
}

TEST_F(MainFormLayoutTest, FormCreateTakesTheWorkingDateFromTheClockAndTurnsTheCalendarToToday) {
  clock_.Set({2025, 3, 5, 9, 7});
  MainWindow& window = Open();
  EXPECT_EQ(window.Form().CurrentWorkingDate(), (WorkingDate{2025, 3, 5, 9, 7, 0}));
  auto* calendar = Control<QCalendarWidget>("MonthCalendar1");
  EXPECT_EQ(calendar->selectedDate(), QDate(2025, 3, 5));
  EXPECT_EQ(calendar->firstDayOfWeek(), Qt::Monday);
  EXPECT_EQ(calendar->verticalHeaderFormat(), QCalendarWidget::ISOWeekNumbers);
  EXPECT_EQ(calendar->locale().language(), QLocale::German);
  EXPECT_TRUE(Control<QListWidget>("lboxFiles")->acceptDrops());
  EXPECT_FALSE(window.Form().VersionText().empty());
}

}  // namespace
}  // namespace kustel
