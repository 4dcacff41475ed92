// torqlet-cli: reads, prints and rewrites car files from the command line.
#include <QStringList>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "core/Version.h"
#include "tools/CliCommands.h"

int main(int argc, char* argv[]) {
  // A closed pipe must end in a reported write error, not a silent signal.
  std::signal(SIGPIPE, SIG_IGN);
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("torqlet-cli %s\n", VersionRecord::Text);
    return std::fflush(stdout) == 0 ? 0 : 1;  // a full disk or closed pipe is a failure
  }
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return RunCli(arguments, stdout, stderr);
}
