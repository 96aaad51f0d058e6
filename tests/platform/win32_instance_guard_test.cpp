// The named mutex "KUSTEL" in this process; between processes the tests of kustel.exe show it.

#include "platform/instance_guard.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

// CMake puts tests/support/win32 on the include path.
#include "wine.h"

namespace kustel {
namespace {

TEST(Win32InstanceGuard, AdmitsOneHolderAtATime) {
  GuardAttempt first = AcquireInstanceGuard();
  ASSERT_EQ(first.result, GuardResult::kAcquired);
  EXPECT_NE(first.guard, nullptr);

  const GuardAttempt second = AcquireInstanceGuard();
  EXPECT_EQ(second.result, GuardResult::kAlreadyRunning);
  EXPECT_EQ(second.guard, nullptr);

  first.guard.reset();
  EXPECT_EQ(AcquireInstanceGuard().result, GuardResult::kAcquired);
}

// Starts at the same instant may all find no mutex when they look; of those, only the one that
// creates it may run. Threads of one process meet at the same name as processes do, and can be
// let go far closer together than processes can start, so the race is run here, many times.
TEST(Win32InstanceGuard, OfStartsAtTheSameInstantExactlyOneRuns) {
  constexpr int kStarts = 8;
  constexpr int kRounds = 50;
  int roundsWithOtherThanOne = 0;
  for (int round = 0; round < kRounds; ++round) {
    const HANDLE go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<int> acquired = 0;
    std::vector<GuardAttempt> attempts(kStarts);
    std::vector<std::thread> starts;
    for (int i = 0; i < kStarts; ++i) {
      starts.emplace_back([&, i] {
        WaitForSingleObject(go, INFINITE);
        attempts[i] = AcquireInstanceGuard();  // kept until every start has answered
        if (attempts[i].result == GuardResult::kAcquired) ++acquired;
      });
    }
    SetEvent(go);
    for (std::thread& start : starts) start.join();
    CloseHandle(go);
    roundsWithOtherThanOne += acquired != 1;
  }
  EXPECT_EQ(roundsWithOtherThanOne, 0);
}

// A program the instance starts inherits handles; the guard must not be among them, or a file
// viewer started from Kustel would keep every later start out.
TEST(Win32InstanceGuard, IsNotInheritedByProgramsTheInstanceStarts) {
  GuardAttempt attempt = AcquireInstanceGuard();
  ASSERT_EQ(attempt.result, GuardResult::kAcquired);

  // This very test program, started suspended with every inheritable handle: it never runs,
  // but holds what it inherited until it is ended.
  wchar_t self[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
  std::wstring commandLine = L"\"" + std::wstring(self) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  ASSERT_TRUE(StartDespiteWine("this test program", [&] {
    std::wstring line = commandLine;  // CreateProcessW may write into it
    return CreateProcessW(self, line.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr,
                          nullptr, &startup, &started) != FALSE;
  }));

  attempt.guard.reset();
  EXPECT_EQ(AcquireInstanceGuard().result, GuardResult::kAcquired);
  TerminateProcess(started.hProcess, 0);
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
}

// Another kind of object under the name: no guard can be had, and the program starts anyway
// rather than never again.
TEST(Win32InstanceGuard, StartsAnywayWhenTheNameIsTakenByAnotherKindOfObject) {
  const HANDLE event = CreateEventW(nullptr, FALSE, FALSE, L"KUSTEL");
  ASSERT_NE(event, nullptr);
  EXPECT_EQ(AcquireInstanceGuard().result, GuardResult::kAcquired);
  CloseHandle(event);
}

}  // namespace
}  // namespace kustel
