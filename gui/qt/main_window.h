#pragma once

// The main window in Qt: the controls of the window definition Main (gui/main_definition), shown
// as MainView to the window rules (gui/main_form.h), which decide everything. This class only
// builds the controls (through BuiltWindow) and wires them (the drop area, the type-ahead combo
// boxes, the typed-length limit, the button accelerators), reads and writes them, and turns their
// events into the handler calls of TMainForm.

#include <QList>
#include <QWidget>
#include <memory>

#include "gui/main_form.h"
#include "gui/main_view.h"
#include "gui/window_mode.h"

namespace kustel {

class BuiltWindow;
class DropArea;
class LizDialog;
class RadioGroup;
class TypedLengthLimit;

class MainWindow final : public QWidget, public MainView, public FrontEndWindow {
 public:
  // Builds the window hidden and centred on the screen, then the window's state (TMainForm).
  explicit MainWindow(MainFormServices services, QWidget* parent = nullptr);
  ~MainWindow() override;

  TMainForm& Form() override { return *form_; }
  void SetInfoDialog(LizDialog* dialog) { infoDialog_ = dialog; }

  // MainView.
  OptionState ReadOptions() const override;
  void WriteOptions(const OptionState& options) override;
  void ShowFormatLabels(const std::array<std::u16string, kDateFormatCount>& labels) override;
  std::optional<CalendarDate> CalendarSelection() const override;
  void SetCalendarDate(CalendarDate date) override;
  void ShowChosenDate(const std::u16string& text) override;
  void AcceptDrops() override;
  void CloseWindow() override;
  void ShowInfoDialog(const std::u16string& caption) override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QList<QWidget*> ControlsLettingBareLetters() const;
  void CentreOnScreen();
  void WireControls();

  std::unique_ptr<BuiltWindow> controls_;
  std::unique_ptr<RadioGroup> datumGroup_;
  std::unique_ptr<RadioGroup> formatGroup_;
  TypedLengthLimit* freeTextLimit_ = nullptr;
  DropArea* dropArea_ = nullptr;
  LizDialog* infoDialog_ = nullptr;
  std::unique_ptr<TMainForm> form_;
};

}  // namespace kustel
