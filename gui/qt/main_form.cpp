#include "gui/qt/main_form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QListWidgetItem>
#include <QScreen>
#include <QSignalBlocker>
#include <QTableView>
#include <array>
#include <optional>

#include "app/version_text.h"
#include "engine/prefix_file.h"
#include "engine/prefix_formats.h"
#include "gui/qt/button_accelerators.h"
#include "gui/qt/drop_area.h"
#include "gui/qt/liz_form.h"
#include "gui/qt/month_calendar.h"
#include "gui/qt/qt_text.h"
#include "gui/qt/radio_group.h"
#include "gui/qt/type_ahead_combo.h"
#include "gui/qt/typed_length_limit.h"
#include "platform/clock.h"
#include "platform/message_sink.h"
#include "settings/settings_store.h"
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

// The close button's checks, in their order; the first that fails names its message.
std::optional<std::u16string> FailedCloseCheck(const OptionState& options,
                                               const std::u16string& lastFormatLabel) {
  if (options.source == kChosenDate && options.chosenDate.empty())
    return u"Wählen Sie ein Datum im Kalender aus";
  if (options.source == kChosenDate && options.dateFormat == kDateFormatCount - 1)
    return u"Die Option 'Gewähltes Datum' kann nicht gleichzeitig\n\nmit der Option '" +
           lastFormatLabel + u"' gewählt werden !";
  if (options.source == kFreeText && options.freeText.empty())
    return u"Sie haben keinen beliebigen Text vorgegeben!";
  return std::nullopt;
}

}  // namespace

TMainForm::TMainForm(MainFormServices services, QWidget* parent)
    : QWidget(parent), services_(services), ui_(std::make_unique<Ui::Main>()) {
  ui_->setupUi(this);
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(size());
  setAcceptDrops(false);
  ApplyCharacterHeights();
  for (int i = 0; i < ui_->lboxFiles->count(); ++i)
    ui_->lboxFiles->item(i)->setSizeHint(QSize(1, kFileListLineHeight));

  datumGroup_ = std::make_unique<RadioGroup>(ui_->DatumRGroup);
  formatGroup_ = std::make_unique<RadioGroup>(ui_->FormatRGroup);
  AttachTypeAhead(ui_->FuellzeichenComBox, [this] { FuellzeichenComBoxChange(); });
  AttachTypeAhead(ui_->EinfgDelComBox, [this] { FuellzeichenComBoxChange(); });
  freeTextLimit_ = LimitTypedLength(ui_->BeliebigTextEdit, kTypedFreeTextLimit);
  SetUpMonthCalendar(ui_->MonthCalendar1);
  new CalendarClicks(ui_->MonthCalendar1, [this] { MonthCalendar1Click(); });
  // Line edits take dropped text by default; a file dragged over one must not end up as its text.
  for (QWidget* control : findChildren<QWidget*>()) control->setAcceptDrops(false);
  dropArea_ = new DropArea(
      ui_->lboxFiles, [this](std::vector<std::u16string> paths) { DropFiles(std::move(paths)); });

  // The controls that take no typed characters leave the bare letters to the two buttons: the
  // drop area, the radio items and the calendar's day grid (not its year field).
  QList<QWidget*> quiet{ui_->lboxFiles};
  if (auto* dayGrid = ui_->MonthCalendar1->findChild<QTableView*>()) quiet.append(dayGrid);
  for (const RadioGroup* group : {datumGroup_.get(), formatGroup_.get()})
    for (int i = 0; i < group->Count(); ++i) quiet.append(group->Item(i));
  AddButtonAccelerator(ui_->InfoSBtn, Qt::Key_I, quiet);
  AddButtonAccelerator(ui_->CloseSBtn, Qt::Key_S, quiet);
  connect(ui_->InfoSBtn, &QPushButton::clicked, this, [this] { InfoSBtnClick(); });
  connect(ui_->CloseSBtn, &QPushButton::clicked, this, [this] { CloseSBtnClick(); });

  CentreOnScreen();
  WriteOptions(OptionState{});
  LoadSettings();
  FuellzeichenComBoxChange();
  versionText_ = ToQString(BuildVersionText());
  ui_->FuellzeichenComBox->setFocus();
}

TMainForm::~TMainForm() = default;

void TMainForm::ApplyCharacterHeights() {
  setFont(Tahoma(kWindowCharacterHeight));
  for (const CharacterHeight& height : kCharacterHeights)
    if (auto* control = findChild<QWidget*>(QLatin1String(height.control)))
      control->setFont(Tahoma(height.pixels));
}

void TMainForm::CentreOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->geometry();
  const QSize outer = frameGeometry().size();
  // Integer division truncates toward zero, also when the screen is smaller than the window.
  move(area.x() + (area.width() - outer.width()) / 2,
       area.y() + (area.height() - outer.height()) / 2);
}

void TMainForm::FormCreate() {
  dropArea_->Enable();
  const LocalDateTime now = services_.clock.Now();
  TakeMoment(workingDate_, now);
  // Built from the fields, not parsed from text, so no locale can make it fail.
  const QDate today(now.year, now.month, now.day);
  if (today.isValid()) ui_->MonthCalendar1->setSelectedDate(today);
}

void TMainForm::SetInfoDialog(TLizForm* dialog) {
  infoDialog_ = dialog;
}

OptionState TMainForm::ReadOptions() const {
  OptionState options;
  options.source = datumGroup_->Index();
  options.dateFormat = formatGroup_->Index();
  options.fillCharacter = ui_->FuellzeichenComBox->currentIndex();
  options.existingPrefixAction = ui_->EinfgDelComBox->currentIndex();
  options.chosenDate = FromQString(ui_->DatumLabel->text());
  options.freeText = FromQString(ui_->BeliebigTextEdit->text());
  return options;
}

void TMainForm::WriteOptions(const OptionState& options) {
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

void TMainForm::LoadSettings() {
  OptionState options = ReadOptions();
  services_.settings.LoadSettings(options);
  WriteOptions(options);
}

void TMainForm::SaveSettings() {
  services_.settings.SaveSettings(ReadOptions());
}

void TMainForm::PrefixFile(const std::u16string& path) {
  EngineServices engine{services_.files, services_.clock, services_.messages};
  kustel::PrefixFile(path, ReadOptions(), workingDate_, engine);
}

void TMainForm::DropFiles(std::vector<std::u16string> paths) {
  // A message box of one drop runs a nested event loop; a drop queued meanwhile waits until
  // every name of the earlier one is done, so names are never interleaved.
  pendingDrops_.push_back(std::move(paths));
  if (dropping_) return;
  dropping_ = true;
  struct Reset {
    TMainForm* form;
    ~Reset() {
      form->dropping_ = false;
      form->pendingDrops_.clear();
    }
  } reset{this};
  while (!pendingDrops_.empty()) {
    const std::vector<std::u16string> batch = std::move(pendingDrops_.front());
    pendingDrops_.pop_front();
    SaveSettings();
    for (const std::u16string& path : batch) PrefixFile(path);
  }
}

void TMainForm::MonthCalendar1Click() {
  ui_->DatumLabel->setText(ChosenDateText(ui_->MonthCalendar1->selectedDate()));
}

void TMainForm::FuellzeichenComBoxChange() {
  const auto labels = FormatLabels(ui_->FuellzeichenComBox->currentIndex());
  std::array<QString, kDateFormatCount> texts;
  for (size_t i = 0; i < labels.size(); ++i) texts[i] = ToQString(labels[i]);
  formatGroup_->SetLabels(texts);
}

void TMainForm::CloseSBtnClick() {
  const QRadioButton* last = formatGroup_->Item(kDateFormatCount - 1);
  const std::u16string lastLabel = last ? FromQString(last->text()) : std::u16string();
  if (const auto message = FailedCloseCheck(ReadOptions(), lastLabel)) {
    services_.messages.ShowMessage(*message);
    return;
  }
  SaveSettings();
  savedForClose_ = true;
  close();
}

void TMainForm::InfoSBtnClick() {
  if (infoDialog_) infoDialog_->ShowInfo(versionText_);
}

void TMainForm::FormClose() {
  if (!savedForClose_) SaveSettings();
  savedForClose_ = false;
}

void TMainForm::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

}  // namespace kustel
