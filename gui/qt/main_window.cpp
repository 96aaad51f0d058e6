#include "gui/qt/main_window.h"

#include <QCalendarWidget>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTableView>

#include "gui/main_definition.h"
#include "gui/qt/button_accelerators.h"
#include "gui/qt/drop_area.h"
#include "gui/qt/liz_dialog.h"
#include "gui/qt/month_calendar.h"
#include "gui/qt/qt_text.h"
#include "gui/qt/radio_group.h"
#include "gui/qt/type_ahead_combo.h"
#include "gui/qt/typed_length_limit.h"
#include "gui/qt/window_builder.h"

namespace kustel {

MainWindow::MainWindow(MainFormServices services, QWidget* parent)
    : QWidget(parent), controls_(std::make_unique<BuiltWindow>(this, MainDefinition())) {
  setWindowFlags(FrameFlags(MainDefinition().frame));
  setAcceptDrops(false);
  WireControls();
  CentreOnScreen();
  form_ = std::make_unique<TMainForm>(*this, services);
  controls_->Get<QComboBox>(kFuellzeichenComBox)->setFocus();
}

MainWindow::~MainWindow() = default;

void MainWindow::WireControls() {
  datumGroup_ = std::make_unique<RadioGroup>(controls_->Get<QGroupBox>(kDatumRGroup));
  formatGroup_ = std::make_unique<RadioGroup>(controls_->Get<QGroupBox>(kFormatRGroup));
  AttachTypeAhead(controls_->Get<QComboBox>(kFuellzeichenComBox),
                  [this] { form_->FuellzeichenComBoxChange(); });
  AttachTypeAhead(controls_->Get<QComboBox>(kEinfgDelComBox),
                  [this] { form_->FuellzeichenComBoxChange(); });
  const ControlDefinition& freeText = ControlOf(MainDefinition(), kBeliebigTextEdit);
  freeTextLimit_ = LimitTypedLength(controls_->Get<QLineEdit>(freeText.id), freeText.typedLimit);
  new CalendarClicks(controls_->Get<QCalendarWidget>(kMonthCalendar1),
                     [this] { form_->MonthCalendar1Click(); });
  // Line edits take dropped text by default; a file dragged over one must not end up as its text.
  for (QWidget* control : findChildren<QWidget*>()) control->setAcceptDrops(false);
  dropArea_ = new DropArea(
      controls_->Get<QListWidget>(kLboxFiles),
      [this](std::vector<std::u16string> paths) { form_->DropFiles(std::move(paths)); });

  // The controls that take no typed characters leave the bare letters to the two buttons: the
  // drop area, the radio items and the calendar's day grid (not its year field).
  QList<QWidget*> quiet{controls_->Get<QListWidget>(kLboxFiles)};
  if (auto* dayGrid = controls_->Get<QCalendarWidget>(kMonthCalendar1)->findChild<QTableView*>())
    quiet.append(dayGrid);
  for (const RadioGroup* group : {datumGroup_.get(), formatGroup_.get()})
    for (int i = 0; i < group->Count(); ++i) quiet.append(group->Item(i));
  AddButtonAccelerator(controls_->Get<QPushButton>(kInfoSBtn), Qt::Key_I, quiet);
  AddButtonAccelerator(controls_->Get<QPushButton>(kCloseSBtn), Qt::Key_S, quiet);
  connect(controls_->Get<QPushButton>(kInfoSBtn), &QPushButton::clicked, this,
          [this] { form_->InfoSBtnClick(); });
  connect(controls_->Get<QPushButton>(kCloseSBtn), &QPushButton::clicked, this,
          [this] { form_->CloseSBtnClick(); });
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
  options.fillCharacter = controls_->Get<QComboBox>(kFuellzeichenComBox)->currentIndex();
  options.existingPrefixAction = controls_->Get<QComboBox>(kEinfgDelComBox)->currentIndex();
  options.chosenDate = FromQString(controls_->Get<QLabel>(kDatumLabel)->text());
  options.freeText = FromQString(controls_->Get<QLineEdit>(kBeliebigTextEdit)->text());
  return options;
}

void MainWindow::WriteOptions(const OptionState& options) {
  datumGroup_->SetIndex(options.source);
  formatGroup_->SetIndex(options.dateFormat);
  for (auto [combo, index] :
       {std::pair{controls_->Get<QComboBox>(kFuellzeichenComBox), options.fillCharacter},
        std::pair{controls_->Get<QComboBox>(kEinfgDelComBox), options.existingPrefixAction}}) {
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
  }
  controls_->Get<QLabel>(kDatumLabel)->setText(ToQString(options.chosenDate));
  freeTextLimit_->SetText(ToQString(options.freeText));
}

void MainWindow::ShowFormatLabels(const std::array<std::u16string, kDateFormatCount>& labels) {
  std::array<QString, kDateFormatCount> texts;
  for (size_t i = 0; i < labels.size(); ++i) texts[i] = ToQString(labels[i]);
  formatGroup_->SetLabels(texts);
}

std::optional<CalendarDate> MainWindow::CalendarSelection() const {
  const QDate selected = controls_->Get<QCalendarWidget>(kMonthCalendar1)->selectedDate();
  if (!selected.isValid()) return std::nullopt;
  return CalendarDate{selected.year(), selected.month(), selected.day()};
}

void MainWindow::SetCalendarDate(CalendarDate date) {
  const QDate day(date.year, date.month, date.day);
  if (day.isValid()) controls_->Get<QCalendarWidget>(kMonthCalendar1)->setSelectedDate(day);
}

void MainWindow::ShowChosenDate(const std::u16string& text) {
  controls_->Get<QLabel>(kDatumLabel)->setText(ToQString(text));
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
