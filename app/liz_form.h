#pragma once

#include <QDialog>
#include <QString>

namespace kustel {

// The information dialog: the operating instructions and licence terms as one scrollable
// picture. Created once, hidden, and reused for every showing.
class TLizForm : public QDialog {
 public:
  explicit TLizForm(QWidget* parent = nullptr);

  // Sets the caption with the version and shows the dialog modally; returns when it is closed.
  void ShowInfo(const QString& versionText);
};

}  // namespace kustel
