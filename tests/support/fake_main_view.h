#pragma once

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/option_state.h"
#include "engine/prefix_formats.h"
#include "gui/main_form.h"
#include "gui/main_view.h"

namespace kustel {

// A main window that only remembers what it was told. Closing reports back as a toolkit does.
class FakeMainView final : public MainView {
 public:
  using Labels = std::array<std::u16string, kDateFormatCount>;

  OptionState ReadOptions() const override { return options; }
  void WriteOptions(const OptionState& written) override { options = written; }
  void ShowFormatLabels(const Labels& shown) override { labels = shown; }
  std::optional<CalendarDate> CalendarSelection() const override { return calendar; }
  void SetCalendarDate(CalendarDate date) override {
    if (calendarFails) throw std::runtime_error("Der Kalender fehlt");
    calendar = date;
  }
  void ShowChosenDate(const std::u16string& text) override { options.chosenDate = text; }
  void AcceptDrops() override { acceptsDrops = true; }
  void CloseWindow() override {
    closed = true;
    if (form != nullptr) form->FormClose();
  }
  void ShowInfoDialog(const std::u16string& caption) override { infoCaptions.push_back(caption); }

  OptionState options{9, 9, 9, 9, u"unset", u"unset"};  // nothing a start value could be
  Labels labels;
  std::optional<CalendarDate> calendar;
  bool acceptsDrops = false;
  bool closed = false;
  bool calendarFails = false;  // a failure inside FormCreate
  std::vector<std::u16string> infoCaptions;
  TMainForm* form = nullptr;
};

}  // namespace kustel
