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

#include <QRegularExpression>
#include <algorithm>

#include "gui/main_definition.h"
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

// The Qt class each kind of control is built as.
const char* ClassOfKind(ControlKind kind) {
  switch (kind) {
    case ControlKind::kPanel:
      return "QFrame";
    case ControlKind::kGroupBox:
      return "QGroupBox";
    case ControlKind::kRadioItem:
      return "QRadioButton";
    case ControlKind::kMonthCalendar:
      return "QCalendarWidget";
    case ControlKind::kLabel:
    case ControlKind::kPicture:
      return "QLabel";
    case ControlKind::kEdit:
      return "QLineEdit";
    case ControlKind::kComboBox:
      return "QComboBox";
    case ControlKind::kListBox:
      return "QListWidget";
    case ControlKind::kButton:
      return "QPushButton";
    case ControlKind::kScrollBox:
      return "QScrollArea";
  }
  return "";
}

QString TextOf(const char16_t* text) {
  return ToQString(std::u16string_view(text));
}

QColor ColourOf(Rgb colour) {
  return QColor(colour.red, colour.green, colour.blue);
}

QStringList TextsOf(std::span<const char16_t* const> texts) {
  QStringList list;
  for (const char16_t* text : texts) list << TextOf(text);
  return list;
}

// What a control shows at the start: its definition's text, or for a format item the label of
// the hyphen, from the relabelling.
QString StartText(const ControlDefinition& control) {
  if (control.parent != kFormatRGroup) return TextOf(control.text);
  const std::vector<int> items = ChildrenOf(MainDefinition(), kFormatRGroup);
  const auto index = std::find(items.begin(), items.end(), control.id) - items.begin();
  return LabelsOf(kHyphen)[static_cast<qsizetype>(index)];
}

QString ShownText(QWidget* widget) {
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  if (auto* group = qobject_cast<QGroupBox*>(widget)) return group->title();
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text();
  return QString();
}

TEST_F(MainFormLayoutTest, EveryControlIsBuiltAsItsDefinitionSays) {
  Open();
  const WindowDefinition& main = MainDefinition();
  for (const ControlDefinition& row : main.controls) {
    SCOPED_TRACE(row.name);
    auto* control = Control<QWidget>(row.name);
    ASSERT_NE(control, nullptr);
    EXPECT_TRUE(control->inherits(ClassOfKind(row.kind)));
    const ControlDefinition* holder = FindControl(main, row.parent);
    EXPECT_EQ(control->parentWidget()->objectName(),
              QLatin1String(holder != nullptr ? holder->name : main.name));
    EXPECT_EQ(control->geometry(),
              QRect(row.place.left, row.place.top, row.place.width, row.place.height));
    if (row.kind != ControlKind::kComboBox) {
      EXPECT_EQ(ShownText(control), StartText(row));
    }

    EXPECT_EQ(control->font().family(), TextOf(main.fontFace));
    EXPECT_EQ(control->font().pixelSize(), CharacterHeightOf(main, row));
    const QPalette palette = control->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
      if (row.background) {
        const auto role = row.kind == ControlKind::kListBox ? QPalette::Base : QPalette::Window;
        EXPECT_EQ(palette.color(group, role), ColourOf(*row.background));
      }
      if (const std::optional<Rgb> text = TextColourOf(main, row)) {
        const auto role =
            row.kind == ControlKind::kButton ? QPalette::ButtonText : QPalette::WindowText;
        EXPECT_EQ(palette.color(group, role), ColourOf(*text));
      }
    }
    if (row.background && row.kind != ControlKind::kListBox) {
      EXPECT_TRUE(control->autoFillBackground());
    }

    if (row.Has(kTakesNoFocus)) {
      EXPECT_EQ(control->focusPolicy(), Qt::NoFocus);
    }
    if (row.Has(kTabStop) && row.kind != ControlKind::kRadioItem) {
      EXPECT_TRUE(control->focusPolicy() & Qt::TabFocus);
    }
    if (auto* label = qobject_cast<QLabel*>(control)) {
      EXPECT_EQ(label->alignment(),
                row.Has(kCentred) ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
      EXPECT_EQ(label->textFormat(), Qt::PlainText);
    }
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
      EXPECT_EQ(ComboItems(combo), TextsOf(row.items));
      EXPECT_TRUE(combo->isEditable());
    }
    if (auto* list = qobject_cast<QListWidget*>(control)) {
      QStringList lines;
      for (int i = 0; i < list->count(); ++i) {
        lines << list->item(i)->text();
        EXPECT_EQ(list->visualItemRect(list->item(i)).height(), row.lineHeight);
      }
      EXPECT_EQ(lines, TextsOf(row.items));
    }
    if (auto* calendar = qobject_cast<QCalendarWidget*>(control)) {
      EXPECT_EQ(calendar->verticalHeaderFormat() == QCalendarWidget::ISOWeekNumbers,
                row.Has(kWeekNumbers));
    }
  }
  EXPECT_EQ(form().font().pixelSize(), main.characterHeight);
  EXPECT_EQ(form().palette().color(QPalette::Window), ColourOf(main.background));
}

// Tab goes through the tab stops in the order of the definition, each radio group entered at
// its selected item.
TEST_F(MainFormLayoutTest, TheFocusChainFollowsTheDefinitionsTabStops) {
  Open();
  QStringList defined;
  for (const ControlDefinition& row : MainDefinition().controls) {
    const bool selectedItem = row.id == kDatumRGroupItem0 + OptionState{}.source ||
                              row.id == kFormatRGroupItem0 + OptionState{}.dateFormat;
    if (row.Has(kTabStop) && (row.kind != ControlKind::kRadioItem || selectedItem))
      defined << QLatin1String(row.name);
  }
  QStringList chain;
  for (QWidget* at = form().nextInFocusChain(); at != &form(); at = at->nextInFocusChain()) {
    if ((at->focusPolicy() & Qt::TabFocus) && at->isEnabled() && at->window() == &form())
      chain << at->objectName();
  }
  chain = chain.filter(QRegularExpression("^(?!qt_)."));
  EXPECT_EQ(chain, defined);
}

TEST_F(MainFormLayoutTest, TheWindowIsFixedInSizeCentredAndCaptioned) {
  MainWindow& window = Open();
  const WindowDefinition& main = MainDefinition();
  EXPECT_EQ(window.windowTitle(), TextOf(main.caption));
  EXPECT_EQ(window.size(), QSize(main.clientWidth, main.clientHeight));
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
  EXPECT_EQ(RadioLabels(Control<QGroupBox>("FormatRGroup")), LabelsOf(kUnderscore));
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
  EXPECT_EQ(window.Form().VersionText(), kVersion);
}

}  // namespace
}  // namespace kustel
