// Makes the information dialog's pictures, one for each system, and the README's picture of the
// Qt dialog.
//
//   make_info_picture page linux tools/info_page.txt gui/info_picture_linux.png
//       lays out the Linux page from its text source with two screenshots of the real Qt main
//       window and writes it as a compact 448 x 1340 RGBA PNG; the build then compiles it in.
//   make_info_picture page windows tools/info_page.txt gui/info_picture_windows.png START STAMPING
//       the same for the Windows page, whose screenshots are the client area of kustel.exe's
//       main window as Wine draws it, once with the start values and once set up for stamping
//       (tools/windows_screenshots.sh takes them).
//   make_info_picture dialog docs/info-dialog.png
//       renders the real Qt dialog with the picture this build carries.
//
// Runs under Qt's offscreen platform unless another one is asked for. The main window's clock is
// pinned and its settings are neither read nor written, so the page does not change from day to
// day or from user to user.

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMap>
#include <QPixmap>
#include <QString>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <vector>

#include "app/version_text.h"
#include "engine/option_state.h"
#include "gui/liz_form.h"
#include "gui/qt/liz_dialog.h"
#include "gui/qt/main_window.h"
#include "gui/qt/message_box.h"
#include "gui/qt/qt_text.h"
#include "gui/qt/window_fonts.h"
#include "info_page.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/settings_backend.h"
#include "png_encoder.h"
#include "settings/settings_store.h"

namespace kustel {
namespace {

constexpr int kPageWidth = 448;
constexpr int kPageHeight = 1340;
constexpr int kWindowShotWidth = 320;
// The free text, the drop area and the two buttons, at their real size.
const QRect kDetailArea(17, 236, 415, 134);

class PinnedClock final : public Clock {
 public:
  LocalDateTime Now() const override { return {2024, 11, 5, 14, 32}; }
};

// Nothing stored and no writes: the window shows the start values and leaves no trace.
class NothingStored final : public SettingsBackend {
 public:
  bool OpenKey() override { return true; }
  bool ValueExists() override { return false; }
  ReadResult ReadValue(std::u16string&) override { return ReadResult::kFailed; }
  bool WriteValue(const std::u16string&) override { return false; }
  void CloseKey() override {}
};

// The main window as the page shows it: once with the start values, once set up for stamping
// with a date and a text.
struct WindowShots {
  QImage start;
  QImage stamping;
};

// What the page's screenshots are made of: the whole window, scaled down, and the part of the
// stamping window that is worked by hand, at its real size.
QMap<QString, QImage> PagePictures(const WindowShots& shots) {
  QMap<QString, QImage> pictures;
  pictures.insert(QStringLiteral("window"),
                  shots.start.scaledToWidth(kWindowShotWidth, Qt::SmoothTransformation));
  pictures.insert(QStringLiteral("detail"), shots.stamping.copy(kDetailArea));
  return pictures;
}

WindowShots QtWindowShots() {
  PinnedClock clock;
  NativeFileSystem files;
  NothingStored backend;
  BoxMessageSink messages(ShowModalBox, u"Kustel");
  SettingsStore settings(backend, messages);
  MainWindow form(MainFormServices{files, clock, settings, messages, BuildVersionText()});
  form.Form().FormCreate();
  form.show();
  QApplication::processEvents();

  WindowShots shots;
  shots.start = form.grab().toImage();
  OptionState stamping;
  stamping.source = kFileDateAndText;
  stamping.dateFormat = 0;
  stamping.fillCharacter = kUnderscore;
  stamping.existingPrefixAction = kRemove;
  stamping.freeText = u"Rechnung_";
  form.WriteOptions(stamping);
  form.Form().FuellzeichenComBoxChange();
  QApplication::processEvents();
  shots.stamping = form.grab().toImage();
  form.hide();
  return shots;
}

// A screenshot of the main window's client area, taken outside this tool. A screenshot of few
// colours may come as a palette image, which Qt would scale with dithering: it is made true
// colour first.
QImage ReadShot(const QString& path) {
  const QImage shot = QImage(path).convertToFormat(QImage::Format_RGB32);
  if (shot.isNull()) throw std::runtime_error("cannot read " + path.toStdString());
  if (!shot.rect().contains(kDetailArea))
    throw std::runtime_error(path.toStdString() + " is no screenshot of the main window");
  return shot;
}

std::vector<uint8_t> OpaqueRgba(const QImage& page) {
  const QImage rgba = page.convertToFormat(QImage::Format_RGBA8888);
  std::vector<uint8_t> bytes;
  bytes.reserve(size_t(rgba.width()) * rgba.height() * 4);
  for (int y = 0; y < rgba.height(); ++y) {
    const uint8_t* line = rgba.constScanLine(y);
    bytes.insert(bytes.end(), line, line + rgba.width() * 4);
  }
  for (size_t i = 3; i < bytes.size(); i += 4)
    if (bytes[i] != 255) throw std::runtime_error("the page has a pixel that is not opaque");
  return bytes;
}

int MakePage(const QString& system, const QString& sourcePath, const QString& outputPath,
             const WindowShots& shots) {
  QFile sourceFile(sourcePath);
  if (!sourceFile.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "cannot read %s\n", qPrintable(sourcePath));
    return 1;
  }
  const QString source = PageSourceFor(QString::fromUtf8(sourceFile.readAll()), system);
  const QImage page = RenderInfoPage(source, PagePictures(shots), QSize(kPageWidth, kPageHeight));
  const std::vector<uint8_t> png = EncodeRgbaPng(kPageWidth, kPageHeight, OpaqueRgba(page));

  QFile output(outputPath);
  if (!output.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      output.write(reinterpret_cast<const char*>(png.data()), qint64(png.size())) !=
          qint64(png.size()) ||
      !output.flush()) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(outputPath));
    return 1;
  }
  std::printf("%s: %zu bytes\n", qPrintable(outputPath), png.size());
  return 0;
}

int MakeDialogShot(const QString& outputPath) {
  LizDialog dialog;
  bool saved = false;
  QTimer::singleShot(0, &dialog, [&] {
    saved = dialog.grab().save(outputPath, "PNG");
    dialog.close();
  });
  dialog.ShowInfo(ToQString(LizCaption(BuildVersionText())));
  if (!saved) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(outputPath));
    return 1;
  }
  std::printf("%s\n", qPrintable(outputPath));
  return 0;
}

int Usage() {
  std::fprintf(
      stderr,
      "usage: make_info_picture page linux SOURCE.txt OUTPUT.png\n"
      "       make_info_picture page windows SOURCE.txt OUTPUT.png START.png STAMPING.png\n"
      "       make_info_picture dialog OUTPUT.png\n");
  return 2;
}

}  // namespace
}  // namespace kustel

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  kustel::RegisterWindowFonts();
  const QStringList arguments = QApplication::arguments();
  try {
    const bool page = arguments.size() >= 2 && arguments[1] == QLatin1String("page");
    if (page && arguments.size() == 5 && arguments[2] == QLatin1String("linux"))
      return kustel::MakePage(arguments[2], arguments[3], arguments[4], kustel::QtWindowShots());
    if (page && arguments.size() == 7 && arguments[2] == QLatin1String("windows"))
      return kustel::MakePage(arguments[2], arguments[3], arguments[4],
                              {kustel::ReadShot(arguments[5]), kustel::ReadShot(arguments[6])});
    if (arguments.size() == 3 && arguments[1] == QLatin1String("dialog"))
      return kustel::MakeDialogShot(arguments[2]);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "make_info_picture: %s\n", failure.what());
    return 1;
  }
  return kustel::Usage();
}
