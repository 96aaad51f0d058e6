#include "gui/qt/type_ahead_combo.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <vector>

#include "gui/qt/qt_text.h"
#include "gui/type_ahead.h"

namespace kustel {
namespace {

std::vector<std::u16string> Items(const QComboBox& combo) {
  std::vector<std::u16string> items;
  for (int i = 0; i < combo.count(); ++i) items.push_back(FromQString(combo.itemText(i)));
  return items;
}

// Remembers whether the edit under way deletes, so that Backspace and Delete shorten the field
// instead of having the completion put straight back.
class DeletionWatch final : public QObject {
 public:
  explicit DeletionWatch(QObject* parent) : QObject(parent) {}
  bool deleting = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      deleting = key == Qt::Key_Backspace || key == Qt::Key_Delete;
    }
    return QObject::eventFilter(watched, event);
  }
};

void FollowTypedText(QComboBox* combo, const QString& typed, bool deleting) {
  QLineEdit* edit = combo->lineEdit();
  const TypeAheadResult result = TypeAhead(Items(*combo), FromQString(typed),
                                           static_cast<size_t>(edit->cursorPosition()), deleting);
  // Making an item current rewrites the field with the item's text; the field then gets back
  // what the rule leaves in it.
  {
    const QSignalBlocker block(combo);
    combo->setCurrentIndex(result.item);
  }
  edit->setText(ToQString(result.text));
  const int anchor = static_cast<int>(result.anchor);
  const int caret = static_cast<int>(result.caret);
  if (anchor != caret)
    edit->setSelection(anchor, caret - anchor);
  else
    edit->setCursorPosition(caret);
}

}  // namespace

void AttachTypeAhead(QComboBox* combo, std::function<void()> changed) {
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  // Qt's own completer completes the text but leaves the current item alone; this one does both.
  combo->setCompleter(nullptr);

  QLineEdit* edit = combo->lineEdit();
  auto* deletion = new DeletionWatch(edit);
  edit->installEventFilter(deletion);

  QObject::connect(edit, &QLineEdit::textEdited, combo,
                   [combo, deletion, changed](const QString& typed) {
                     FollowTypedText(combo, typed, deletion->deleting);
                     deletion->deleting = false;
                     changed();
                   });
  // Chosen from the list, with the arrow keys or the wheel: the item is already current.
  QObject::connect(combo, &QComboBox::activated, combo, [changed](int) { changed(); });
}

}  // namespace kustel
