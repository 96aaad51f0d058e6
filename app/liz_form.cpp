#include "liz_form.h"

// Interim dialog until the real one lands: same interface, no picture yet.
namespace kustel {

TLizForm::TLizForm(QWidget* parent) : QDialog(parent) {}

void TLizForm::ShowInfo(const QString& versionText) {
  setWindowTitle(QStringLiteral("  Bedienung und Lizenzvereinbarung - Version %1").arg(versionText));
  exec();
}

}  // namespace kustel
