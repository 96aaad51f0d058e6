#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QList>
#include <QRadioButton>
#include <QString>
#include <span>

namespace kustel {

// A group box of radio buttons read and set as one index, the position of the checked item,
// -1 when none is checked. Only the checked item is a tab stop (the first one while none is
// checked), so Tab enters the group at its selection and the arrow keys move inside it.
// Setting the index from code emits nothing.
class RadioGroup {
 public:
  explicit RadioGroup(QGroupBox* box);

  int Index() const;
  void SetIndex(int index);
  void SetLabels(std::span<const QString> labels);

  QGroupBox* Box() const { return box_; }
  QRadioButton* Item(int index) const { return items_.value(index); }
  int Count() const { return static_cast<int>(items_.size()); }

 private:
  void UpdateTabStop();

  QGroupBox* box_;
  QList<QRadioButton*> items_;
  QButtonGroup buttons_;
};

}  // namespace kustel
