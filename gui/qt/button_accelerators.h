#pragma once

#include <QAbstractButton>
#include <QList>
#include <QWidget>

namespace kustel {

// Gives a button that never takes the focus its keyboard access (gui/accelerators.h): Alt+letter
// presses it from anywhere in its window, and the bare letter (Shift allowed) presses it while the
// focus is on one of `quiet`, the widgets that take no typed characters.
void AddButtonAccelerator(QAbstractButton* button, Qt::Key letter, const QList<QWidget*>& quiet);

}  // namespace kustel
