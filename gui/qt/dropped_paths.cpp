#include "gui/qt/dropped_paths.h"

#include <QByteArray>
#include <string_view>

#include "platform/name_codec.h"

namespace kustel {
namespace {

bool NamesLocalFile(const QUrl& url) {
  if (url.scheme() != QLatin1String("file")) return false;
  const QString host = url.host();
  return host.isEmpty() || host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0;
}

}  // namespace

std::vector<std::u16string> DroppedPaths(const QList<QUrl>& urls) {
  std::vector<std::u16string> paths;
  for (const QUrl& url : urls) {
    if (!url.isValid() || !NamesLocalFile(url)) continue;
    // Fully encoded, the path is plain ASCII with every other byte as %XX.
    const QByteArray bytes =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    if (bytes.isEmpty()) continue;
    paths.push_back(BytesToText(std::string_view(bytes.constData(), bytes.size())));
  }
  return paths;
}

}  // namespace kustel
