#pragma once

namespace kustel {

// Runs `probe` in a child process and tells whether it returned there. For a step that may end
// the whole process instead of failing (a toolkit that aborts when its display is gone): the
// child takes the risk, and the caller goes on either way.
bool SucceedsInChildProcess(void (*probe)());

}  // namespace kustel
