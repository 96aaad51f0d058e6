#include "gui/qt/typed_length_limit.h"

#include <algorithm>

namespace kustel {
namespace {

// Length of the common head and tail of two texts; together never longer than the shorter.
std::pair<qsizetype, qsizetype> CommonEnds(const QString& before, const QString& after) {
  const qsizetype shorter = std::min(before.size(), after.size());
  qsizetype head = 0;
  while (head < shorter && before[head] == after[head]) ++head;
  qsizetype tail = 0;
  while (tail < shorter - head &&
         before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
    ++tail;
  return {head, tail};
}

}  // namespace

TypedLengthLimit::TypedLengthLimit(QLineEdit* edit, int limit)
    : QValidator(edit), edit_(edit), limit_(limit), accepted_(edit->text()) {
  // textChanged comes after validation, so accepted_ holds the text before each change.
  connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { accepted_ = text; });
}

QValidator::State TypedLengthLimit::validate(QString& input, int& pos) const {
  if (programSetting_ || input.size() <= limit_) return Acceptable;

  // Whatever the edit was, it kept a head and a tail of the old text and put something new in
  // between; only as much of the new part stays as fits beside what was kept.
  const auto [head, tail] = CommonEnds(accepted_, input);
  const qsizetype inserted = input.size() - head - tail;
  if (inserted == 0) return Acceptable;  // only deleted
  qsizetype room = std::max<qsizetype>(0, limit_ - (head + tail));
  if (room > 0 && input[head + room - 1].isHighSurrogate()) --room;  // never half a character
  input = input.left(head + room) + input.right(tail);
  pos = static_cast<int>(head + room);
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
