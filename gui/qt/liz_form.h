#pragma once

#include <QDialog>
#include <QString>
#include <memory>

class QEvent;
class QKeyEvent;
class QObject;
class QShowEvent;
class QWheelEvent;
class QWidget;

namespace Ui {
class LizForm;
}

namespace kustel {

// The information dialog: the operating instructions and licence terms as one scrollable
// picture. Created once, hidden, and reused for every showing; it keeps its place on the screen
// and its scroll position between showings. It changes nothing else in the program.
//
// The keyboard and the wheel follow the dialog's own rules rather than Qt's: the wheel scrolls by
// delta / 8 and only while the scroll box has the focus, no key scrolls, S closes, Escape does not.
class TLizForm : public QDialog {
  Q_OBJECT

 public:
  explicit TLizForm(QWidget* parent = nullptr);
  ~TLizForm() override;

  // Sets the caption with the version and shows the dialog modally; returns when it is closed.
  void ShowInfo(const QString& versionText);

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormShow();
  void CloseBtnClick();
  void ScrollBox1MouseWheel(int delta);
  void RouteWheel(QWheelEvent* event, int handlings);
  bool ControlKey(QWidget* control, QKeyEvent* event);
  void ShowPicture();
  void CentreOnWorkArea();

  std::unique_ptr<Ui::LizForm> ui_;
  bool placed_ = false;
};

}  // namespace kustel
