/* Runs a program and prints three figures for it: the wall-clock start (nanoseconds since the
 * epoch), the time from start to exit (nanoseconds) and the peak resident memory (KiB).
 * Usage: run_timed PROGRAM [ARGUMENT...]   or   run_timed @LISTFILE PROGRAM
 * With @LISTFILE the arguments are read from the file, one per line, so thousands fit. */
#define _GNU_SOURCE
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static long long Nanoseconds(clockid_t clock) {
  struct timespec now;
  clock_gettime(clock, &now);
  return (long long)now.tv_sec * 1000000000LL + now.tv_nsec;
}

static char** ReadArguments(const char* listFile, const char* program) {
  FILE* list = fopen(listFile, "r");
  if (list == NULL) return NULL;
  size_t count = 1, capacity = 1024;
  char** argv = malloc(capacity * sizeof *argv);
  argv[0] = strdup(program);
  char* line = NULL;
  size_t size = 0;
  ssize_t length;
  while ((length = getline(&line, &size, list)) > 0) {
    if (line[length - 1] == '\n') line[length - 1] = '\0';
    if (count + 2 > capacity) argv = realloc(argv, (capacity *= 2) * sizeof *argv);
    argv[count++] = strdup(line);
  }
  argv[count] = NULL;
  free(line);
  fclose(list);
  return argv;
}

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: run_timed [@LISTFILE] PROGRAM [ARGUMENT...]\n");
    return 2;
  }
  char** childArgv = argv + 1;
  if (argv[1][0] == '@') {
    if (argc < 3 || (childArgv = ReadArguments(argv[1] + 1, argv[2])) == NULL) return 2;
  }
  const long long startWall = Nanoseconds(CLOCK_REALTIME);
  const long long start = Nanoseconds(CLOCK_MONOTONIC);
  const pid_t child = fork();
  if (child == 0) {
    execvp(childArgv[0], childArgv);
    _exit(127);
  }
  int status = 0;
  struct rusage usage;
  if (wait4(child, &status, 0, &usage) != child) return 2;
  const long long elapsed = Nanoseconds(CLOCK_MONOTONIC) - start;
  printf("%lld %lld %ld\n", startWall, elapsed, usage.ru_maxrss);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 2;
}
