#include "gui/qt/main_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QListWidgetItem>
#include <QScreen>
#include <QSignalBlocker>
#include <QTableView>

#include "gui/qt/button_accelerators.h"
#include "gui/qt/drop_area.h"
#include "gui/qt/liz_dialog.h"
#include "gui/qt/month_calendar.h"
#include "gui/qt/qt_text.h"
#include "gui/qt/radio_group.h"
#include "gui/qt/type_ahead_combo.h"
#include "gui/qt/typed_length_limit.h"
#include "ui_Main.h"

namespace kustel {
namespace {

constexpr int kTypedFreeTextLimit = 25;
constexpr int kFileListLineHeight = 14;

// The character heights of the window definition, in pixels; the window's own is the default
// of every control not listed.
struct CharacterHeight {
  const char* control;
  int pixels;
};
constexpr CharacterHeight kCharacterHeights[] = {
    {"DatumRGroup", 15},
    {"FormatRGroup", 13},
    {"Label3", 13},
    {"DatumLabel", 13},
    {"Label4", 13},
    {"BeliebigTextEdit", 13},
    {"lboxFiles", 12},
    {"InfoSBtn", 13},
    {"CloseSBtn", 13},
    {"Label1", 13},
    {"FuellzeichenComBox", 13},
    {"Label2", 13},
    {"EinfgDelComBox", 13},
};
constexpr int kWindowCharacterHeight = 11;

QFont Tahoma(int pixels) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(pixels);
  return font;
}

}  // namespace

MainWindow::MainWindow(MainFormServices services, QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::Main>()) {
  ui_->setupUi(this);
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(size());
  setAcceptDrops(false);
  ApplyCharacterHeights();
  for (int i = 0; i < ui_->lboxFiles->count(); ++i)
    ui_->lboxFiles->item(i)->setSizeHint(QSize(1, kFileListLineHeight));
  WireControls();
  CentreOnScreen();
  form_ = std::make_unique<TMainForm>(*this, services);
  ui_->FuellzeichenComBox->setFocus();
}

MainWindow::~MainWindow() = default;

void MainWindow::WireControls() {
  datumGroup_ = std::make_unique<RadioGroup>(ui_->DatumRGroup);
  formatGroup_ = std::make_unique<RadioGroup>(ui_->FormatRGroup);
  AttachTypeAhead(ui_->FuellzeichenComBox, [this] { form_->FuellzeichenComBoxChange(); });
  AttachTypeAhead(ui_->EinfgDelComBox, [this] { form_->FuellzeichenComBoxChange(); });
  freeTextLimit_ = LimitTypedLength(ui_->BeliebigTextEdit, kTypedFreeTextLimit);
  SetUpMonthCalendar(ui_->MonthCalendar1);
  new CalendarClicks(ui_->MonthCalendar1, [this] { form_->MonthCalendar1Click(); });
  // Line edits take dropped text by default; a file dragged over one must not end up as its text.
  for (QWidget* control : findChildren<QWidget*>()) control->setAcceptDrops(false);
  dropArea_ = new DropArea(ui_->lboxFiles, [this](std::vector<std::u16string> paths) {
    form_->DropFiles(std::move(paths));
  });

  // The controls that take no typed characters leave the bare letters to the two buttons: the
  // drop area, the radio items and the calendar's day grid (not its year field).
  QList<QWidget*> quiet{ui_->lboxFiles};
  if (auto* dayGrid = ui_->MonthCalendar1->findChild<QTableView*>()) quiet.append(dayGrid);
  for (const RadioGroup* group : {datumGroup_.get(), formatGroup_.get()})
    for (int i = 0; i < group->Count(); ++i) quiet.append(group->Item(i));
  AddButtonAccelerator(ui_->InfoSBtn, Qt::Key_I, quiet);
  AddButtonAccelerator(ui_->CloseSBtn, Qt::Key_S, quiet);
  connect(ui_->InfoSBtn, &QPushButton::clicked, this, [this] { form_->InfoSBtnClick(); });
  connect(ui_->CloseSBtn, &QPushButton::clicked, this, [this] { form_->CloseSBtnClick(); });
}

void MainWindow::ApplyCharacterHeights() {
  setFont(Tahoma(kWindowCharacterHeight));
  for (const CharacterHeight& height : kCharacterHeights)
    if (auto* control = findChild<QWidget*>(QLatin1String(height.control)))
      control->setFont(Tahoma(height.pixels));
}

void MainWindow::CentreOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->geometry();
  const QSize outer = frameGeometry().size();
  // Integer division truncates toward zero, also when the screen is smaller than the window.
  move(area.x() + (area.width() - outer.width()) / 2,
       area.y() + (area.height() - outer.height()) / 2);
}

OptionState MainWindow::ReadOptions() const {
  OptionState options;
  options.source = datumGroup_->Index();
  options.dateFormat = formatGroup_->Index();
  options.fillCharacter = ui_->FuellzeichenComBox->currentIndex();
  options.existingPrefixAction = ui_->EinfgDelComBox->currentIndex();
  options.chosenDate = FromQString(ui_->DatumLabel->text());
  options.freeText = FromQString(ui_->BeliebigTextEdit->text());
  return options;
}

void MainWindow::WriteOptions(const OptionState& options) {
  datumGroup_->SetIndex(options.source);
  formatGroup_->SetIndex(options.dateFormat);
  for (auto [combo, index] : {std::pair{ui_->FuellzeichenComBox, options.fillCharacter},
                              std::pair{ui_->EinfgDelComBox, options.existingPrefixAction}}) {
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
  }
  ui_->DatumLabel->setText(ToQString(options.chosenDate));
  freeTextLimit_->SetText(ToQString(options.freeText));
}

void MainWindow::ShowFormatLabels(const std::array<std::u16string, kDateFormatCount>& labels) {
  std::array<QString, kDateFormatCount> texts;
  for (size_t i = 0; i < labels.size(); ++i) texts[i] = ToQString(labels[i]);
  formatGroup_->SetLabels(texts);
}

std::optional<CalendarDate> MainWindow::CalendarSelection() const {
  const QDate selected = ui_->MonthCalendar1->selectedDate();
  if (!selected.isValid()) return std::nullopt;
  return CalendarDate{selected.year(), selected.month(), selected.day()};
}

void MainWindow::SetCalendarDate(CalendarDate date) {
  const QDate day(date.year, date.month, date.day);
  if (day.isValid()) ui_->MonthCalendar1->setSelectedDate(day);
}

void MainWindow::ShowChosenDate(const std::u16string& text) {
  ui_->DatumLabel->setText(ToQString(text));
}

void MainWindow::AcceptDrops() {
  dropArea_->Enable();
}

void MainWindow::CloseWindow() {
  close();
}

void MainWindow::ShowInfoDialog(const std::u16string& caption) {
  if (infoDialog_) infoDialog_->ShowInfo(ToQString(caption));
}

void MainWindow::closeEvent(QCloseEvent* event) {
  form_->FormClose();
  event->accept();
}

}  // namespace kustel
