#include "gui/qt/message_box.h"

#include <QMessageBox>

#include "gui/qt/qt_text.h"

namespace kustel {

void ShowModalBox(const std::u16string& caption, const std::u16string& text, BoxIcon icon) {
  if (AnsweredByHook({caption, text, icon})) return;
  QMessageBox box(icon == BoxIcon::kError ? QMessageBox::Critical : QMessageBox::NoIcon,
                  ToQString(caption), ToQString(text), QMessageBox::Ok);
  box.setObjectName("KustelMessageBox");
  box.setTextFormat(Qt::PlainText);  // names and free texts are shown as they stand
  box.exec();
}

}  // namespace kustel
