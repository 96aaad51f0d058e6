#pragma once

#include <QApplication>
#include <QString>
#include <string>
#include <string_view>

namespace kustel {

// The argument list Qt gets: the program's path alone. The program's arguments are file names,
// and one of them such as "-style" or "-platform" must never be read as an option of Qt's.
class QtArguments {
 public:
  explicit QtArguments(std::string programPath);
  QtArguments(const QtArguments&) = delete;
  QtArguments& operator=(const QtArguments&) = delete;

  int& Count() { return count_; }
  char** Values() { return values_; }

 private:
  std::string programPath_;
  int count_ = 1;
  char* values_[2];
};

// The program's application object. A failure that escapes an event handler is shown in the
// error box (gui/failure_box.h), and the event loop goes on.
class KustelApplication final : public QApplication {
 public:
  KustelApplication(QtArguments& arguments, QString title);

  bool notify(QObject* receiver, QEvent* event) override;

  const QString& Title() const { return title_; }

 private:
  QString title_;
};

}  // namespace kustel
