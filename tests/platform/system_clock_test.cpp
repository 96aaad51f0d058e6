#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/file_system.h"
#include "tests/support/temp_folder.h"

// CMake puts tests/support/posix or tests/support/win32 on the include path.
#include "local_time_zone.h"

namespace kustel {
namespace {

// The clock and the file system must agree on local time: "today" and a file's date stamped in
// the same minute give the same prefix. A clock that read the zone otherwise (the C runtime's
// localtime on Windows misreads TZ=Europe/Berlin as UTC) would be an hour off.
TEST(SystemClock, ShowsTheLocalTimeOfAFileWrittenNow) {
  PinBerlinTime();
  TempFolder folder;
  NativeFileSystem files;
  const SystemClock clock;
  for (int attempt = 0; attempt < 3; ++attempt) {  // again when a minute turned meanwhile
    const LocalDateTime before = clock.Now();
    folder.WriteFile("now.txt", "now");
    const std::optional<LocalDateTime> written =
        files.StatusOf(folder.TextPath("now.txt")).lastWriteTime;
    const LocalDateTime after = clock.Now();
    ASSERT_TRUE(written.has_value());
    if (before != after) continue;
    EXPECT_EQ(*written, before);
    return;
  }
  FAIL() << "the minute kept turning";
}

}  // namespace
}  // namespace kustel
