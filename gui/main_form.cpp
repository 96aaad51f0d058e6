#include "gui/main_form.h"

#include <exception>
#include <optional>

#include "engine/chosen_date.h"
#include "engine/prefix_formats.h"
#include "gui/liz_form.h"
#include "gui/main_view.h"
#include "platform/clock.h"
#include "platform/message_sink.h"
#include "settings/settings_store.h"

namespace kustel {
namespace {

constexpr DateFormat kLastFormat = kDateFormatCount - 1;

// The close button's checks, in their order; the first that fails names its message. The last
// one quotes the label of the last layout as the window shows it for the fill character.
std::optional<std::u16string> FailedCloseCheck(const OptionState& options) {
  if (options.source == kChosenDate && options.chosenDate.empty())
    return u"Wählen Sie ein Datum im Kalender aus";
  if (options.source == kChosenDate && options.dateFormat == kLastFormat)
    return u"Die Option 'Gewähltes Datum' kann nicht gleichzeitig\n\nmit der Option '" +
           FormatLabels(options.fillCharacter)[kLastFormat] + u"' gewählt werden !";
  if (options.source == kFreeText && options.freeText.empty())
    return u"Sie haben keinen beliebigen Text vorgegeben!";
  return std::nullopt;
}

}  // namespace

TMainForm::TMainForm(MainView& view, MainFormServices services)
    : view_(view), services_(services), versionText_(services.versionText) {
  view_.WriteOptions(OptionState{});
  LoadSettings();
  FuellzeichenComBoxChange();
}

void TMainForm::FormCreate() {
  view_.AcceptDrops();
  const LocalDateTime now = services_.clock.Now();
  TakeMoment(workingDate_, now);
  // Set from the fields, not parsed from a text, so no locale can make it fail.
  view_.SetCalendarDate({now.year, now.month, now.day});
}

void TMainForm::LoadSettings() {
  OptionState options = view_.ReadOptions();
  services_.settings.LoadSettings(options);
  view_.WriteOptions(options);
}

void TMainForm::SaveSettings() {
  services_.settings.SaveSettings(view_.ReadOptions());
}

PrefixOutcome TMainForm::PrefixFile(const std::u16string& path) {
  EngineServices engine{services_.files, services_.clock, services_.messages};
  return kustel::PrefixFile(path, view_.ReadOptions(), workingDate_, engine);
}

void TMainForm::DropFiles(std::vector<std::u16string> paths) {
  // A message box of one drop runs a nested event loop; a drop queued meanwhile waits until
  // every name of the earlier one is done, so names are never interleaved.
  pendingDrops_.push_back(std::move(paths));
  if (dropping_) return;
  dropping_ = true;
  struct Reset {
    TMainForm* form;
    ~Reset() { form->dropping_ = false; }
  } reset{this};
  // A failure ends only the drop it came from: the drops waiting behind it still run, and then
  // the first failure goes on to the error box.
  std::exception_ptr failure;
  while (!pendingDrops_.empty()) {
    const std::vector<std::u16string> batch = std::move(pendingDrops_.front());
    pendingDrops_.pop_front();
    try {
      SaveSettings();
      for (const std::u16string& path : batch) PrefixFile(path);
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  }
  if (failure) std::rethrow_exception(failure);
}

void TMainForm::MonthCalendar1Click() {
  if (const std::optional<CalendarDate> selected = view_.CalendarSelection()) {
    view_.ShowChosenDate(ChosenDateText(*selected));
  }
}

void TMainForm::FuellzeichenComBoxChange() {
  view_.ShowFormatLabels(FormatLabels(view_.ReadOptions().fillCharacter));
}

void TMainForm::CloseSBtnClick() {
  if (const auto message = FailedCloseCheck(view_.ReadOptions())) {
    services_.messages.ShowMessage(*message);
    return;
  }
  SaveSettings();
  savedForClose_ = true;
  view_.CloseWindow();
}

void TMainForm::InfoSBtnClick() {
  view_.ShowInfoDialog(LizCaption(versionText_));
}

void TMainForm::FormClose() {
  if (!savedForClose_) SaveSettings();
  savedForClose_ = false;
}

}  // namespace kustel
