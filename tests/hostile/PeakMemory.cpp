// peak_memory PROGRAM [ARGUMENT...]
// Runs the program with its output discarded and prints its exit code and its
// peak resident memory in KiB. A child inherits the peak of the process that
// starts it, so the tests start programs through this small one rather than
// from their own large address space.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: peak_memory PROGRAM [ARGUMENT...]\n");
    return 2;
  }
  const pid_t child = fork();
  if (child == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    execv(argv[1], argv + 1);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status)) return 1;
  std::printf("%d %ld\n", WEXITSTATUS(status), usage.ru_maxrss);
  return 0;
}
