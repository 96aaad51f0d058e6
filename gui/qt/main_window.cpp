#include "gui/qt/main_window.h"

#include <QAbstractSpinBox>
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

#include "gui/accelerators.h"
#include "gui/centring.h"
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
#include "platform/latin_case.h"

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

  const QList<QWidget*> quiet = ControlsLettingBareLetters();
  for (const ControlDefinition& control : MainDefinition().controls) {
    const char16_t letter =
        control.kind == ControlKind::kButton ? AcceleratorLetter(control.text) : 0;
    if (letter != 0)
      AddButtonAccelerator(controls_->Get<QPushButton>(control.id),
                           static_cast<Qt::Key>(LatinUpper(letter)), quiet);
  }
  connect(controls_->Get<QPushButton>(kInfoSBtn), &QPushButton::clicked, this,
          [this] { form_->InfoSBtnClick(); });
  connect(controls_->Get<QPushButton>(kCloseSBtn), &QPushButton::clicked, this,
          [this] { form_->CloseSBtnClick(); });
}

// Where the focus lets a bare letter press a button: the controls whose kind takes no typed
// characters, with their parts (the calendar's days and buttons), but no text field among them
// (the calendar's year).
QList<QWidget*> MainWindow::ControlsLettingBareLetters() const {
  QList<QWidget*> quiet;
  for (const ControlDefinition& control : MainDefinition().controls) {
    if (!BareLetterPressesButtons(control.kind)) continue;
    QWidget* widget = (*controls_)[control.id];
    quiet.append(widget);
    for (QWidget* part : widget->findChildren<QWidget*>()) {
      if (!qobject_cast<QLineEdit*>(part) && !qobject_cast<QAbstractSpinBox*>(part))
        quiet.append(part);
    }
  }
  return quiet;
}

void MainWindow::CentreOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->geometry();
  const QSize outer = frameGeometry().size();
  const Place place =
      CentredIn({area.x(), area.y(), area.width(), area.height()}, outer.width(), outer.height());
  move(place.left, place.top);
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
