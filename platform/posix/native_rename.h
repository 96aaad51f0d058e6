#pragma once

#include <optional>
#include <span>

#include "platform/file_system.h"

namespace kustel {

// The ways the POSIX file system renames a file without replacing anything at the new name, best
// first. Each takes byte paths and gives nothing when this file system does not offer that way,
// so the caller goes on to the next; once a way is offered its answer stands. Kept apart from
// NativeFileSystem so that each can be tried on a real folder.
using RenameWay = std::optional<RenameResult> (*)(const char* from, const char* to);

// renameat2 with RENAME_NOREPLACE: the kernel checks and renames in one step.
std::optional<RenameResult> RenameExclusive(const char* from, const char* to);

// A hard link under the new name (which fails rather than replace), then the old name removed.
// Where file systems lack the flag (NFS, some FUSE) this is still atomic against a new target.
std::optional<RenameResult> RenameThroughLink(const char* from, const char* to);

// Where hard links are refused too: look, then rename. Only a target created in the instant
// between the two can be replaced.
std::optional<RenameResult> RenameAfterCheck(const char* from, const char* to);

inline constexpr RenameWay kRenameWays[] = {RenameExclusive, RenameThroughLink, RenameAfterCheck};

// The answer of the first way that is offered; kFailed when none is.
RenameResult RenameByFirstOfferedWay(std::span<const RenameWay> ways, const char* from,
                                     const char* to);

}  // namespace kustel
