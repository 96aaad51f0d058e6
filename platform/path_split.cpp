#include "path_split.h"

namespace kustel {
namespace {

PathParts SplitAfterLast(std::u16string_view path, std::u16string_view separators) {
  const size_t last = path.find_last_of(separators);
  if (last == std::u16string_view::npos) return {path.substr(0, 0), path};
  return {path.substr(0, last + 1), path.substr(last + 1)};
}

}  // namespace

PathParts SplitPosixPath(std::u16string_view path) {
  return SplitAfterLast(path, u"/");
}

PathParts SplitWin32Path(std::u16string_view path) {
  return SplitAfterLast(path, u"\\/:");
}

}  // namespace kustel
