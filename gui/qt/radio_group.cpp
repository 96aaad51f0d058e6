#include "gui/qt/radio_group.h"

#include <QSignalBlocker>
#include <algorithm>

namespace kustel {

RadioGroup::RadioGroup(QGroupBox* box) : box_(box) {
  // The items are the group's direct radio buttons, in the order the window declares them.
  items_ = box->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
  buttons_.setExclusive(true);
  for (int i = 0; i < Count(); ++i) buttons_.addButton(items_[i], i);
  QObject::connect(&buttons_, &QButtonGroup::idToggled, box,
                   [this](int, bool) { UpdateTabStop(); });
  UpdateTabStop();
}

int RadioGroup::Index() const {
  return buttons_.checkedId();
}

void RadioGroup::SetIndex(int index) {
  const QSignalBlocker blockGroup(&buttons_);
  if (QRadioButton* item = Item(index)) {
    const QSignalBlocker blockItem(item);
    item->setChecked(true);
  } else if (QAbstractButton* checked = buttons_.checkedButton()) {
    // An exclusive group never lets its last checked button go.
    const QSignalBlocker blockItem(checked);
    buttons_.setExclusive(false);
    checked->setChecked(false);
    buttons_.setExclusive(true);
  }
  UpdateTabStop();
}

void RadioGroup::SetLabels(std::span<const QString> labels) {
  const int count = std::min(Count(), static_cast<int>(labels.size()));
  for (int i = 0; i < count; ++i) items_[i]->setText(labels[i]);
}

void RadioGroup::UpdateTabStop() {
  const int stop = std::max(Index(), 0);
  for (int i = 0; i < Count(); ++i)
    items_[i]->setFocusPolicy(i == stop ? Qt::StrongFocus : Qt::ClickFocus);
}

}  // namespace kustel
