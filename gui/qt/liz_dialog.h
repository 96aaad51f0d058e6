#pragma once

#include <QDialog>
#include <QString>
#include <memory>

#include "gui/liz_form.h"

class QEvent;
class QKeyEvent;
class QObject;
class QShowEvent;
class QWheelEvent;
class QWidget;

namespace kustel {

class BuiltWindow;

// The information dialog in Qt: the window definition Lizenz (gui/liz_definition) with the picture
// in its scroll box, shown as LizView to the dialog's rules (gui/liz_form.h). Created once, hidden,
// and reused for every showing; it keeps its place on the screen and its scroll position between
// showings. The wheel and the keys are taken from Qt before its own handling and handed to the
// rules.
class LizDialog final : public QDialog, public LizView {
  Q_OBJECT

 public:
  explicit LizDialog(QWidget* parent = nullptr);
  ~LizDialog() override;

  // Sets the caption and shows the dialog modally, centred on the work area the first time;
  // returns when it is closed.
  void ShowInfo(const QString& caption);

  // LizView.
  int ScrollPosition() const override;
  int ScrollMaximum() const override;
  void ScrollTo(int position) override;
  bool ScrollBoxHasFocus() const override;
  void FocusScrollBox() override;
  void FocusCloseButton() override;
  void Close() override;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowPicture();
  void CentreOnWorkArea();

  std::unique_ptr<BuiltWindow> controls_;
  TLizForm rules_{*this};
  bool placed_ = false;
};

}  // namespace kustel
