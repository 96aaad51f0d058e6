/* The least the command-line job needs, for comparison: per argument one stat (existence and
 * last-write time) and one renameat2 that never replaces, with the prefix "YYYY-MM-DD-" of the
 * file's local date. No settings, no checks beyond that. */
#define _GNU_SOURCE
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>

int main(int argc, char** argv) {
  for (int i = 1; i < argc && argv[i][0] != '\0'; ++i) {
    const char* path = argv[i];
    struct stat info;
    if (stat(path, &info) != 0 || S_ISDIR(info.st_mode)) continue;
    struct tm local;
    if (localtime_r(&info.st_mtime, &local) == NULL) continue;
    const char* slash = strrchr(path, '/');
    const int folderLength = slash != NULL ? (int)(slash - path + 1) : 0;
    char target[4096];
    const int length = snprintf(target, sizeof target, "%.*s%04d-%02d-%02d-%s", folderLength, path,
                                local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                path + folderLength);
    if (length <= 0 || length >= (int)sizeof target) continue;
    renameat2(AT_FDCWD, path, AT_FDCWD, target, RENAME_NOREPLACE);
  }
  return 0;
}
