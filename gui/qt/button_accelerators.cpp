#include "gui/qt/button_accelerators.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QShortcut>

namespace kustel {
namespace {

class BareLetter final : public QObject {
 public:
  BareLetter(QAbstractButton* button, Qt::Key letter)
      : QObject(button), button_(button), letter_(letter) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      const auto modifiers = key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
      if (key->key() == letter_ && modifiers == Qt::NoModifier && button_->isEnabled()) {
        button_->click();
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QAbstractButton* button_;
  Qt::Key letter_;
};

}  // namespace

void AddButtonAccelerator(QAbstractButton* button, Qt::Key letter, const QList<QWidget*>& quiet) {
  // The button's own mnemonic would press it only after an animation delay; one shortcut that
  // clicks at once serves instead, and the underlined letter in its text stays.
  button->setShortcut(QKeySequence());
  auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | letter), button->window());
  shortcut->setContext(Qt::WindowShortcut);
  QObject::connect(shortcut, &QShortcut::activated, button, [button] { button->click(); });

  auto* bare = new BareLetter(button, letter);
  for (QWidget* control : quiet) control->installEventFilter(bare);
}

}  // namespace kustel
