#pragma once

#include <QComboBox>
#include <functional>

namespace kustel {

// Makes an editable combo box behave as an option control: typing completes the field to the
// first item that begins with the typed text, letter case ignored, keeps what was typed as it
// was typed, selects the completed rest and makes that item the current one; text that begins
// no item (or an empty field) leaves no item current (-1). Typed text never becomes an item.
// `changed` runs after every change the user makes, typed or chosen from the list; changes the
// program makes run nothing.
void AttachTypeAhead(QComboBox* combo, std::function<void()> changed);

}  // namespace kustel
