// Renders the real main window, as a first start shows it, to a PNG (docs/main-window.png by
// default) for the README. Runs under Qt's offscreen platform unless another one is asked for;
// the clock is pinned to 5 November 2024, 14:32, so the picture does not change from day to day,
// and the settings are neither read nor written.

#include <QApplication>
#include <QPixmap>
#include <QString>
#include <cstdio>
#include <cstdlib>

#include "gui/qt/main_window.h"
#include "gui/qt/message_box.h"
#include "gui/qt/window_fonts.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/settings_backend.h"
#include "settings/settings_store.h"

namespace {

class PinnedClock final : public kustel::Clock {
 public:
  kustel::LocalDateTime Now() const override { return {2024, 11, 5, 14, 32}; }
};

// A settings key with nothing stored that takes no writes: the picture shows the start values.
class NothingStored final : public kustel::SettingsBackend {
 public:
  bool OpenKey() override { return true; }
  bool ValueExists() override { return false; }
  kustel::ReadResult ReadValue(std::u16string&) override { return kustel::ReadResult::kFailed; }
  bool WriteValue(const std::u16string&) override { return false; }
  void CloseKey() override {}
};

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const QString output =
      argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/main-window.png");
  QApplication application(argc, argv);
  kustel::RegisterWindowFonts();

  PinnedClock clock;
  kustel::NativeFileSystem files;
  NothingStored backend;
  kustel::BoxMessageSink messages(kustel::ShowModalBox, u"Kustel");
  kustel::SettingsStore settings(backend, messages);
  kustel::MainWindow form(kustel::MainFormServices{files, clock, settings, messages, u""});
  form.Form().FormCreate();
  form.show();
  QApplication::processEvents();

  if (!form.grab().save(output, "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", output.toLocal8Bit().constData());
    return 1;
  }
  std::printf("%s\n", output.toLocal8Bit().constData());
  return 0;
}
