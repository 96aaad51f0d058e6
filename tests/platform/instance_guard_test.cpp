#include "platform/instance_guard.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/posix/lock_places.h"
#include "tests/support/temp_folder.h"

namespace kustel {
namespace {

bool Exists(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

mode_t ModeOf(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0;
}

struct PlacesCase {
  const char* name;
  const char* runtimeDir;
  const char* configHome;
  const char* home;
  LockPlaces places;
};

TEST(InstanceGuard, FindsItsPlacesInTheEnvironment) {
  const PlacesCase rows[] = {
      {"a session with everything set",
       "/run/user/1000",
       "/home/anna/.cfg",
       "/home/anna",
       {"/run/user/1000", "/tmp/kustel-1000", "/home/anna/.cfg/tolm/kustel"}},
      {"no runtime folder and no config home",
       nullptr,
       nullptr,
       "/home/anna",
       {"", "/tmp/kustel-1000", "/home/anna/.config/tolm/kustel"}},
      {"empty variables count as unset",
       "",
       "",
       "/home/anna",
       {"", "/tmp/kustel-1000", "/home/anna/.config/tolm/kustel"}},
      {"relative paths count as unset",
       "run/user",
       "cfg",
       "/home/anna",
       {"", "/tmp/kustel-1000", "/home/anna/.config/tolm/kustel"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const LockPlaces places = LockPlacesFor(row.runtimeDir, row.configHome, row.home, 1000);
    EXPECT_EQ(places.runtimeFolder, row.places.runtimeFolder);
    EXPECT_EQ(places.privateFolder, row.places.privateFolder);
    EXPECT_EQ(places.settingsFolder, row.places.settingsFolder);
  }
}

struct PrivateFolderCase {
  const char* name;
  void (*prepare)(const TempFolder& world);  // makes "private" as the case needs it
  bool accepted;
};

TEST(InstanceGuard, UsesTheTmpFolderOnlyWhileItIsPrivate) {
  const PrivateFolderCase rows[] = {
      {"missing: created", [](const TempFolder&) {}, true},
      {"ours with mode 0700", [](const TempFolder& w) { w.MakeFolder("private"); }, true},
      {"a link to a private folder",
       [](const TempFolder& w) {
         w.MakeFolder("elsewhere");
         w.MakeSymlink("private", "elsewhere");
       },
       false},
      {"a file", [](const TempFolder& w) { w.WriteFile("private"); }, false},
      {"owned by another user",
       [](const TempFolder& w) {
         w.MakeFolder("private");
         ASSERT_EQ(chown(w.Path("private").c_str(), 4242, 4242), 0);
       },
       false},
      {"open to others",
       [](const TempFolder& w) {
         w.MakeFolder("private");
         ASSERT_EQ(chmod(w.Path("private").c_str(), 0755), 0);
       },
       false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    TempFolder world;
    row.prepare(world);
    const int fd = OpenPrivateFolder(world.Path("private"));
    EXPECT_EQ(fd >= 0, row.accepted);
    if (fd >= 0) close(fd);
    if (row.accepted) {
      EXPECT_EQ(ModeOf(world.Path("private")), 0700u);
    }
  }
}

// A world with the three places in a temporary folder; only "run" exists at first.
struct GuardWorld {
  TempFolder root;
  LockPlaces places{root.Path("run"), root.Path("tmp-kustel"),
                    root.Path("home/.config/tolm/kustel")};
  GuardWorld() { root.MakeFolder("run"); }
};

TEST(InstanceGuard, AdmitsOneHolderAtATime) {
  GuardWorld world;
  GuardAttempt first = AcquireInstanceGuardAt(world.places);
  ASSERT_EQ(first.result, GuardResult::kAcquired);
  EXPECT_NE(first.guard, nullptr);
  EXPECT_TRUE(Exists(world.root.Path("run/KUSTEL.lock")));

  const GuardAttempt second = AcquireInstanceGuardAt(world.places);
  EXPECT_EQ(second.result, GuardResult::kAlreadyRunning);
  EXPECT_EQ(second.guard, nullptr);

  first.guard.reset();
  EXPECT_EQ(AcquireInstanceGuardAt(world.places).result, GuardResult::kAcquired);
}

struct FallbackCase {
  const char* name;
  void (*prepare)(const TempFolder& root);
  const char* lockFile;  // where the lock ends up, relative to the root
};

TEST(InstanceGuard, FallsBackToThePrivateFolderAndThenToTheSettingsFolder) {
  const FallbackCase rows[] = {
      {"the runtime folder when it exists", [](const TempFolder&) {}, "run/KUSTEL.lock"},
      {"the private folder when the runtime folder is missing",
       [](const TempFolder& r) { std::filesystem::remove(r.Path("run")); },
       "tmp-kustel/KUSTEL.lock"},
      {"the settings folder, created, when the private folder is a link",
       [](const TempFolder& r) {
         std::filesystem::remove(r.Path("run"));
         r.MakeFolder("bait");
         r.MakeSymlink("tmp-kustel", "bait");
       },
       "home/.config/tolm/kustel/KUSTEL.lock"},
      {"the settings folder when another user owns the private folder",
       [](const TempFolder& r) {
         std::filesystem::remove(r.Path("run"));
         r.MakeFolder("tmp-kustel");
         ASSERT_EQ(chown(r.Path("tmp-kustel").c_str(), 4242, 4242), 0);
       },
       "home/.config/tolm/kustel/KUSTEL.lock"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    GuardWorld world;
    row.prepare(world.root);
    const GuardAttempt attempt = AcquireInstanceGuardAt(world.places);
    EXPECT_EQ(attempt.result, GuardResult::kAcquired);
    EXPECT_TRUE(Exists(world.root.Path(row.lockFile)));
    EXPECT_FALSE(Exists(world.root.Path("bait/KUSTEL.lock")));
    // A second start meets the same file.
    EXPECT_EQ(AcquireInstanceGuardAt(world.places).result, GuardResult::kAlreadyRunning);
  }
}

TEST(InstanceGuard, StartsAnywayWhenNoLockFileCanBeMadeAnywhere) {
  TempFolder root;
  root.WriteFile("file");
  root.MakeFolder("bait");
  root.MakeSymlink("link", "bait");
  const LockPlaces nowhere{root.Path("file"), root.Path("link"), root.Path("file/tolm/kustel")};
  const GuardAttempt attempt = AcquireInstanceGuardAt(nowhere);
  EXPECT_EQ(attempt.result, GuardResult::kAcquired);
  EXPECT_NE(attempt.guard, nullptr);
  EXPECT_EQ(root.Names(), (std::vector<std::string>{"bait", "file", "link"}));
  EXPECT_FALSE(Exists(root.Path("bait/KUSTEL.lock")));
}

// A child process that takes the guard, says so through a pipe and then waits to be killed.
pid_t StartHolder(const LockPlaces& places) {
  int ready[2];
  if (pipe(ready) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    close(ready[0]);
    const GuardAttempt attempt = AcquireInstanceGuardAt(places);
    const char held = attempt.result == GuardResult::kAcquired ? 'y' : 'n';
    if (write(ready[1], &held, 1) != 1) _exit(1);
    pause();
    _exit(0);
  }
  close(ready[1]);
  char held = 0;
  const bool ok = read(ready[0], &held, 1) == 1 && held == 'y';
  close(ready[0]);
  return ok ? child : -1;
}

TEST(InstanceGuard, IsHeldByAnotherProcessUntilItDies) {
  GuardWorld world;
  const pid_t holder = StartHolder(world.places);
  ASSERT_GT(holder, 0);
  EXPECT_EQ(AcquireInstanceGuardAt(world.places).result, GuardResult::kAlreadyRunning);

  // Killed without any chance to clean up: the system drops the lock all the same.
  kill(holder, SIGKILL);
  waitpid(holder, nullptr, 0);
  EXPECT_EQ(AcquireInstanceGuardAt(world.places).result, GuardResult::kAcquired);
}

TEST(InstanceGuard, IsNotInheritedByProgramsTheInstanceStarts) {
  GuardWorld world;
  GuardAttempt attempt = AcquireInstanceGuardAt(world.places);
  ASSERT_EQ(attempt.result, GuardResult::kAcquired);

  pid_t started = 0;
  char sleepName[] = "sleep";
  char seconds[] = "60";
  char* argv[] = {sleepName, seconds, nullptr};
  ASSERT_EQ(posix_spawnp(&started, "sleep", nullptr, nullptr, argv, environ), 0);

  // The instance ends while the program it started still runs; the next start must get in.
  attempt.guard.reset();
  EXPECT_EQ(AcquireInstanceGuardAt(world.places).result, GuardResult::kAcquired);
  kill(started, SIGKILL);
  waitpid(started, nullptr, 0);
}

TEST(InstanceGuard, OfManyStartsAtTheSameInstantExactlyOneRuns) {
  GuardWorld world;
  std::filesystem::remove(world.root.Path("run"));  // the folders are made in the race, too
  constexpr int kStarts = 16;
  int barrier[2], results[2], release[2];
  ASSERT_EQ(pipe(barrier), 0);
  ASSERT_EQ(pipe(results), 0);
  ASSERT_EQ(pipe(release), 0);
  std::vector<pid_t> children;
  for (int i = 0; i < kStarts; ++i) {
    const pid_t child = fork();
    if (child == 0) {
      close(barrier[1]);
      close(release[1]);
      char ignored;
      (void)!read(barrier[0], &ignored, 1);  // returns for all at once when the parent closes it
      const GuardAttempt attempt = AcquireInstanceGuardAt(world.places);
      const char result = attempt.result == GuardResult::kAcquired ? 'A' : 'R';
      if (write(results[1], &result, 1) != 1) _exit(1);
      (void)!read(release[0], &ignored, 1);  // hold the guard until every start has answered
      _exit(0);
    }
    children.push_back(child);
  }
  close(barrier[0]);
  close(results[1]);
  close(release[0]);
  close(barrier[1]);

  int acquired = 0, refused = 0;
  char result;
  for (int i = 0; i < kStarts && read(results[0], &result, 1) == 1; ++i) {
    (result == 'A' ? acquired : refused) += 1;
  }
  close(release[1]);
  for (const pid_t child : children) waitpid(child, nullptr, 0);
  close(results[0]);
  EXPECT_EQ(acquired, 1);
  EXPECT_EQ(refused, kStarts - 1);
}

}  // namespace
}  // namespace kustel
