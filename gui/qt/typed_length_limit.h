#pragma once

#include <QLineEdit>
#include <QString>
#include <QValidator>

namespace kustel {

// Limits what the user can put into a line edit to `limit` characters, while a longer text
// that the program sets stays whole: the user can shorten it but never make it longer than
// max(limit, its length) allows — nothing is added while it holds `limit` or more. Typing,
// pasting, dropping text and undo all go through this; an insertion that does not fit is cut
// to the room left. Unlike QLineEdit::setMaxLength, texts set through SetText are not cut.
class TypedLengthLimit final : public QValidator {
 public:
  TypedLengthLimit(QLineEdit* edit, int limit);

  State validate(QString& input, int& pos) const override;

  // Sets the edit's text from the program, past the limit if need be.
  void SetText(const QString& text);

 private:
  QLineEdit* edit_;
  int limit_;
  QString accepted_;  // the edit's text before the change under validation
  bool programSetting_ = false;
};

// Installs the limit on the edit (owned by it) and returns it for SetText.
TypedLengthLimit* LimitTypedLength(QLineEdit* edit, int limit);

}  // namespace kustel
