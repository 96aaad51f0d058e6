#include "gui/qt/message_box.h"

#include <QMessageBox>
#include <QPushButton>

#include "gui/qt/qt_text.h"

namespace kustel {
namespace {

MessageBoxHook& Hook() {
  static MessageBoxHook hook;
  return hook;
}

}  // namespace

void SetMessageBoxHook(MessageBoxHook hook) {
  Hook() = std::move(hook);
}

void ShowModalBox(const QString& caption, const QString& text, BoxIcon icon) {
  if (Hook()) {
    Hook()(ShownBox{caption, text, icon});
    return;
  }
  QMessageBox box(icon == BoxIcon::kError ? QMessageBox::Critical : QMessageBox::NoIcon, caption,
                  text, QMessageBox::Ok);
  box.setObjectName("KustelMessageBox");
  box.setTextFormat(Qt::PlainText);  // names and free texts are shown as they stand
  box.exec();
}

void BoxMessageSink::ShowMessage(const std::u16string& text) {
  ShowModalBox(title_, ToQString(text));
}

}  // namespace kustel
