#include "gui/qt/window_fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QString>

namespace kustel {

void RegisterWindowFonts() {
  static const char* const kFaces[] = {"tahoma.ttf", "tahomabd.ttf", "ms_sans_serif.ttf"};
  for (const char* face : kFaces) {
    const QString path = QStringLiteral("/usr/share/wine/fonts/") + QLatin1String(face);
    if (QFile::exists(path)) QFontDatabase::addApplicationFont(path);
  }
}

}  // namespace kustel
