// torqlet-cli: reads, changes and compares car files from the command line.
#include <QStringList>
#include <csignal>
#include <cstdio>

#include "tools/CliDispatcher.h"

int main(int argc, char* argv[]) {
  // A closed pipe must end in a reported write error, not a silent signal.
  std::signal(SIGPIPE, SIG_IGN);
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return CliDispatcher().Run(arguments, stdout, stderr);
}
