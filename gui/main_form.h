#pragma once

// The main window's rules, once for every toolkit. TMainForm holds the option state's start
// values, loads the stored settings into the controls, relabels the date layouts, stamps dropped
// files (one save, then each path in order, a drop that arrives while a box is open waiting its
// turn), checks the options at the close button, saves when the window is left (never twice),
// and keeps the working date and the chosen-date text. It reaches the window only through
// MainView and the user only through MessageSink: it draws nothing, knows no toolkit and no
// operating system. Each front end (gui/qt, gui/win32) builds the controls, turns their events
// into the handler calls below and implements MainView.

#include <deque>
#include <string>
#include <vector>

#include "engine/option_state.h"
#include "engine/prefix_file.h"
#include "engine/working_date.h"

namespace kustel {

class Clock;
class FileSystem;
class MainView;
class MessageSink;
class SettingsStore;

struct MainFormServices {
  FileSystem& files;
  const Clock& clock;
  SettingsStore& settings;
  MessageSink& messages;
  std::u16string versionText;  // the program's version, for the dialog's caption
};

class TMainForm {
 public:
  // The construction of the window's state: the start values, the stored settings (firing no
  // handler) and the relabelling for the loaded fill character. The view's controls must exist.
  TMainForm(MainView& view, MainFormServices services);
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;

  // The creation handler: the drop area takes files, the working date comes from the clock and
  // the calendar shows today.
  void FormCreate();

  // Handlers, named after control and event.
  void DropFiles(std::vector<std::u16string> paths);  // after the drop has returned
  void MonthCalendar1Click();
  void FuellzeichenComBoxChange();  // a change in either combo box
  void CloseSBtnClick();
  void InfoSBtnClick();
  void FormClose();  // the window closes, by whatever means

  // Stamps (or un-stamps) one path with the options the controls show now.
  PrefixOutcome PrefixFile(const std::u16string& path);

  const WorkingDate& CurrentWorkingDate() const { return workingDate_; }
  const std::u16string& VersionText() const { return versionText_; }

 private:
  void LoadSettings();
  void SaveSettings();

  MainView& view_;
  MainFormServices services_;
  WorkingDate workingDate_;
  std::u16string versionText_;

  std::deque<std::vector<std::u16string>> pendingDrops_;
  bool dropping_ = false;
  bool savedForClose_ = false;  // the close button saved; the closing it causes saves no more
};

}  // namespace kustel
