#pragma once

// The main window. Its controls are the option state: whenever the engine or the settings store
// needs the options, they are read from the controls into an OptionState, and whatever the store
// loads is written back into the controls the same way. No model object, no signal web: the
// handlers below (named after control and event) read the controls when they run. Layout,
// texts and colours come from the window definition Main.ui; this class only wires it to the
// engine (PrefixFile), the settings store and the information dialog.

#include <QString>
#include <QWidget>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "engine/option_state.h"
#include "engine/working_date.h"

namespace Ui {
class Main;
}

namespace kustel {

class Clock;
class DropArea;
class FileSystem;
class MessageSink;
class RadioGroup;
class SettingsStore;
class TLizForm;
class TypedLengthLimit;

struct MainFormServices {
  FileSystem& files;
  const Clock& clock;
  SettingsStore& settings;
  MessageSink& messages;
};

class TMainForm : public QWidget {
 public:
  // Builds the window hidden and centred, sets the start options, loads the stored settings
  // into the controls (firing no handler), relabels the date layouts and makes the version text.
  explicit TMainForm(MainFormServices services, QWidget* parent = nullptr);
  ~TMainForm() override;

  // The creation handler: the drop area takes files, the working date comes from the clock and
  // the calendar shows today.
  void FormCreate();
  void SetInfoDialog(TLizForm* dialog);

  OptionState ReadOptions() const;
  void WriteOptions(const OptionState& options);  // fires no handler

  // Stamps (or un-stamps) one path with the options the controls show now.
  void PrefixFile(const std::u16string& path);

  // Handlers.
  void DropFiles(std::vector<std::u16string> paths);  // from the event queue, after the drop
  void MonthCalendar1Click();
  void FuellzeichenComBoxChange();
  void CloseSBtnClick();
  void InfoSBtnClick();
  void FormClose();  // closed by any means but the close button: save, then the end

  const WorkingDate& CurrentWorkingDate() const { return workingDate_; }
  const QString& VersionText() const { return versionText_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void ApplyCharacterHeights();
  void CentreOnScreen();
  void LoadSettings();
  void SaveSettings();

  MainFormServices services_;
  std::unique_ptr<Ui::Main> ui_;
  std::unique_ptr<RadioGroup> datumGroup_;
  std::unique_ptr<RadioGroup> formatGroup_;
  TypedLengthLimit* freeTextLimit_ = nullptr;
  DropArea* dropArea_ = nullptr;
  TLizForm* infoDialog_ = nullptr;
  QString versionText_;
  WorkingDate workingDate_;

  std::deque<std::vector<std::u16string>> pendingDrops_;
  bool dropping_ = false;
  bool savedForClose_ = false;  // the close button saved; the closing it causes saves no more
};

}  // namespace kustel
