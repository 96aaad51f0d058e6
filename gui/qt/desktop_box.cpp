#include "gui/qt/desktop_box.h"

#include <QGuiApplication>

#include "gui/qt/message_box.h"
#include "gui/qt/qt_text.h"
#include "platform/child_probe.h"

namespace kustel {
namespace {

void Silent(QtMsgType, const QMessageLogContext&, const QString&) {}

// Runs in the child: returns only when Qt could start on the display. The child ends right
// after, so nothing is torn down.
void StartQtOnDisplay() {
  qInstallMessageHandler(Silent);
  static QtArguments arguments("kustel");
  new QGuiApplication(arguments.Count(), arguments.Values());
}

}  // namespace

QtDesktopBox::QtDesktopBox(std::string programPath, QString title)
    : arguments_(std::move(programPath)), title_(std::move(title)) {}

QtDesktopBox::~QtDesktopBox() = default;

bool QtDesktopBox::Ready() {
  if (!tried_) {
    tried_ = true;
    if (SucceedsInChildProcess(StartQtOnDisplay)) {
      application_ = std::make_unique<KustelApplication>(arguments_, title_);
    }
  }
  return application_ != nullptr;
}

void QtDesktopBox::Show(const std::u16string& caption, const std::u16string& text, bool errorIcon) {
  if (!Ready()) return;
  ShowModalBox(caption, text, errorIcon ? BoxIcon::kError : BoxIcon::kNone);
}

}  // namespace kustel
