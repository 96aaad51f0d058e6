#pragma once

#include <QList>
#include <QUrl>
#include <string>
#include <vector>

namespace kustel {

// The local paths of dropped URLs, in drop order. A file URL carries the name's bytes
// percent-encoded; they are decoded to bytes and then to text by the lossless name codec, so a
// name that is not valid UTF-8 reaches the engine intact (QUrl::toLocalFile would replace such
// bytes). URLs that do not name a local file (another scheme, another host) are left out.
std::vector<std::u16string> DroppedPaths(const QList<QUrl>& urls);

}  // namespace kustel
