#include "platform/path_split.h"

namespace kustel {

PathParts SplitNativePath(std::u16string_view path) {
  return SplitWin32Path(path);
}

}  // namespace kustel
