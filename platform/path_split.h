#pragma once

#include <string_view>

namespace kustel {

// A path cut after its last separator: `directory` keeps the separator (empty when there is
// none), `name` is everything after it. Both look into the path that was split, which must
// outlive them.
struct PathParts {
  std::u16string_view directory;
  std::u16string_view name;

  bool operator==(const PathParts&) const = default;
};

// POSIX paths separate at '/'.
PathParts SplitPosixPath(std::u16string_view path);

// Windows paths separate at '\', '/' or ':' (a drive letter or a stream name ends there too).
PathParts SplitWin32Path(std::u16string_view path);

// The split of the platform the program is built for.
PathParts SplitNativePath(std::u16string_view path);

}  // namespace kustel
