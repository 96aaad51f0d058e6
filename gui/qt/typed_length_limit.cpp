#include "gui/qt/typed_length_limit.h"

#include "gui/qt/qt_text.h"
#include "gui/typed_length.h"

namespace kustel {

TypedLengthLimit::TypedLengthLimit(QLineEdit* edit, int limit)
    : QValidator(edit), edit_(edit), limit_(limit), accepted_(edit->text()) {
  // textChanged comes after validation, so accepted_ holds the text before each change.
  connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { accepted_ = text; });
}

QValidator::State TypedLengthLimit::validate(QString& input, int& pos) const {
  if (programSetting_) return Acceptable;
  const LimitedEdit limited = LimitTypedText(FromQString(accepted_), FromQString(input),
                                             static_cast<size_t>(limit_), static_cast<size_t>(pos));
  input = ToQString(limited.text);
  pos = static_cast<int>(limited.cursor);
  return Acceptable;
}

void TypedLengthLimit::SetText(const QString& text) {
  programSetting_ = true;
  edit_->setText(text);
  programSetting_ = false;
}

TypedLengthLimit* LimitTypedLength(QLineEdit* edit, int limit) {
  auto* validator = new TypedLengthLimit(edit, limit);
  edit->setValidator(validator);
  return validator;
}

}  // namespace kustel
