#pragma once

#include <QString>
#include <memory>
#include <string>

#include "app/console_message_sink.h"
#include "gui/qt/kustel_application.h"

namespace kustel {

// The box of command-line mode on a desktop. Qt starts at the first box only, so a run without
// messages never touches the display. Whether the display can really be reached is tried in a
// child process first, because Qt ends the whole process when it cannot connect; a display that
// is named but gone therefore leaves only the lines on standard error, and every file is still
// handled.
class QtDesktopBox final : public DesktopBox {
 public:
  QtDesktopBox(std::string programPath, QString title);
  ~QtDesktopBox() override;

  void Show(const std::u16string& caption, const std::u16string& text, bool errorIcon) override;

 private:
  bool Ready();

  QtArguments arguments_;
  QString title_;
  std::unique_ptr<KustelApplication> application_;
  bool tried_ = false;
};

}  // namespace kustel
