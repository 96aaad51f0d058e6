#include "gui/qt/kustel_application.h"

#include <exception>

#include "gui/failure_box.h"
#include "gui/qt/message_box.h"
#include "gui/qt/qt_text.h"

namespace kustel {

QtArguments::QtArguments(std::string programPath) : programPath_(std::move(programPath)) {
  values_[0] = programPath_.data();
  values_[1] = nullptr;
}

KustelApplication::KustelApplication(QtArguments& arguments, QString title)
    : QApplication(arguments.Count(), arguments.Values()), title_(std::move(title)) {
  // The application name, not the display name: Qt would append a display name to every
  // window caption, and the captions are fixed.
  setApplicationName(title_);
  // Lets a Wayland desktop match the window to the menu entry (the icon, the task bar group).
  setDesktopFileName(QStringLiteral("io.github.kustel.Kustel"));
}

bool KustelApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    ShowFailure(ShowModalBox, FromQString(title_));
  }
  return false;
}

}  // namespace kustel
